#include "fuzz/FuzzInput.h"

#include <cstdio>
#include <cstdlib>

#include <QFile>
#include <QTemporaryDir>

namespace zelpo::fuzz {

QString textFrom(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return QString();
    }
    const auto* rest = reinterpret_cast<const char*>(data + 1);
    const auto restSize = qsizetype(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromLatin1(rest, restSize);
    case 1:
        return QString::fromUtf8(rest, restSize);
    default: {
        // Built one unit at a time: the bytes need not be aligned for char16_t.
        QString text;
        text.reserve(restSize / 2);
        for (qsizetype i = 0; i + 1 < restSize; i += 2) {
            text.append(QChar(char16_t(uint8_t(rest[i]) | uint8_t(rest[i + 1]) << 8)));
        }
        return text;
    }
    }
}

namespace {

// Printable ASCII as it is, every other code unit as \uXXXX, so the report shows exactly what
// the reader was given.
QByteArray escaped(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\') {
            out.append(char(c.unicode()));
        } else {
            out.append("\\u" + QByteArray::number(c.unicode(), 16).rightJustified(4, '0'));
        }
    }
    return out;
}

} // namespace

const QString& workFolder()
{
    static const QTemporaryDir folder;
    static const QString path = folder.path();
    return path;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size()) {
        std::abort();
    }
}

void requireThat(bool holds, const char* promise, const QString& text)
{
    if (holds) {
        return;
    }
    std::fprintf(stderr, "Broken promise: %s\nText: \"%s\"\n", promise, escaped(text).constData());
    std::abort();
}

} // namespace zelpo::fuzz
