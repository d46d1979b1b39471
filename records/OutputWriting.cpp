#include "records/OutputWriting.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zelpo {

namespace {

// The device the writer is given: every byte goes straight on to the draft, and the first write
// that fails or falls short stops all the others, so that the draft never holds a gap.
class CountedWrites : public QIODevice
{
public:
    explicit CountedWrites(QFileDevice& draft) : m_draft(draft) {}

    qint64 bytesGiven() const { return m_given; }
    bool cameShort() const { return m_cameShort; }
    // The draft's error when the write fell short: later calls may clear it.
    QFileDevice::FileError error() const { return m_error; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_cameShort) {
            return -1;
        }
        m_given += size;
        const qint64 written = m_draft.write(data, size);
        if (written != size) {
            m_cameShort = true;
            m_error = m_draft.error();
        }
        return written;
    }

private:
    QFileDevice& m_draft;
    qint64 m_given = 0;
    bool m_cameShort = false;
    QFileDevice::FileError m_error = QFileDevice::NoError;
};

} // namespace

MaybeFailure writeWholeDraft(QFileDevice& draft, const std::function<bool(QIODevice&)>& write,
                             const QString& target)
{
    CountedWrites counted(draft);
    counted.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    const bool written = write(counted);
    if (counted.cameShort()) {
        return outputNotWritten(target, counted.error(), true);
    }
    // Qt keeps the last bytes in a buffer: written out only now, they may not fit either, and a
    // flush that wrote part of them reports no error of its own.
    const bool flushed = draft.flush();
    const QFileDevice::FileError error = draft.error();
    const bool whole = draft.size() == counted.bytesGiven();
    if (!written || !flushed || error != QFileDevice::NoError || !whole) {
        return outputNotWritten(target, error, written && error == QFileDevice::NoError);
    }
    return std::nullopt;
}

Failure outputNotWritten(const QString& target, QFileDevice::FileError error, bool cameShort)
{
    const QString name = QDir::toNativeSeparators(QFileInfo(target).absoluteFilePath());
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (!folder.isDir()) {
        return {PathAccessError, QStringLiteral("No existe la carpeta del archivo %1.").arg(name)};
    }
    if (!folder.isWritable()) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede escribir en la carpeta del archivo "
                               "%1.")
                    .arg(name)};
    }
    // Qt's save file declines a file it may not write without telling why.
    if (const QFileInfo existing(target); existing.exists() && !existing.isWritable()) {
        return {
            PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en el archivo %1.").arg(name)};
    }
    // A write to an ordinary file falls short without an error only when the room ran out.
    if (error == QFileDevice::ResourceError || cameShort) {
        return {DiskFull,
                QStringLiteral("Disco lleno: no se pudo escribir el archivo %1.").arg(name)};
    }
    return {DeviceIoError,
            QStringLiteral("Error de E/S en el dispositivo al escribir el archivo %1.").arg(name)};
}

} // namespace zelpo
