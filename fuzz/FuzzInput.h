#pragma once

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

// What the fuzz targets share: turning the fuzzer's bytes into the texts a user could type or a
// file could hold, and stopping the run loudly when one of the readers breaks a promise.
namespace zelpo::fuzz {

// Reads the bytes as Latin-1, as UTF-8 or as raw UTF-16 code units (lone surrogates included),
// chosen by the first byte, so that every kind of character reaches the readers.
QString textFrom(const uint8_t* data, size_t size);

// A folder of the run's own for the files a target reads and writes, removed when the run ends.
const QString& workFolder();

// The file's bytes; none when it cannot be read.
QByteArray contentOf(const QString& path);

// Puts exactly these bytes in the file, or ends the run: a target cannot go on without it.
void writeFile(const QString& path, const QByteArray& content);

// Aborts with the message and the text involved when `holds` is false; libFuzzer then keeps the
// input that did it.
void requireThat(bool holds, const char* promise, const QString& text);

} // namespace zelpo::fuzz
