#include "app/RecordFile.h"

#include <algorithm>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

namespace zelpo {

namespace {

enum class Access { Create, Append, Read };

QByteArray recordLine(const QString& record)
{
    return '"' + record.toLatin1() + "\"\r\n";
}

// Works out, after the fact, why a file could not be opened; the file engine only says that it
// could not.
Failure openFailure(const QString& path, Access access)
{
    const QFileInfo file(path);
    const QString name = file.fileName();
    if (name.isEmpty()) {
        return {BadFileName, QStringLiteral("Nombre o número de archivo incorrecto.")};
    }
    if (file.isDir()) {
        return {PathAccessError,
                QStringLiteral("Error de acceso a la ruta o al archivo: %1 es una carpeta, no un "
                               "archivo.")
                    .arg(name)};
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        return {PathAccessError,
                QStringLiteral("Error de acceso a la ruta o al archivo: no existe la carpeta "
                               "del archivo %1.")
                    .arg(name)};
    }
    if (access == Access::Create && file.exists()) {
        return {FileAlreadyExists, QStringLiteral("El archivo %1 ya existe.").arg(name)};
    }
    if (access != Access::Create && !file.exists()) {
        return {FileNotFound, QStringLiteral("No se encontró el archivo %1.").arg(name)};
    }
    if (access == Access::Create && !folder.isWritable()) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede crear el archivo %1.").arg(name)};
    }
    if (access == Access::Append && !file.isWritable()) {
        return {
            PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en el archivo %1.").arg(name)};
    }
    if (access == Access::Read && !file.isReadable()) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede leer el archivo %1.").arg(name)};
    }
    return {PathAccessError,
            QStringLiteral("Error de acceso a la ruta o al archivo: no se pudo abrir el archivo "
                           "%1.")
                .arg(name)};
}

Failure writeFailure(const QFile& file, qint64 bytesWanted)
{
    const QString name = QFileInfo(file.fileName()).fileName();
    const QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
    // A line cut short sets no error of its own; then only the free space can tell.
    if (file.error() == QFileDevice::ResourceError ||
        (storage.isValid() && storage.bytesAvailable() < bytesWanted)) {
        return {DiskFull,
                QStringLiteral("Disco lleno: no se pudo escribir en el archivo %1.").arg(name)};
    }
    return {
        DeviceIoError,
        QStringLiteral("Error de E/S en el dispositivo al escribir en el archivo %1.").arg(name)};
}

// A file whose last line has no line end (left so by an editor or a cut-off copy) would run that
// line and our record together; the line end goes out in the same write as the record.
QByteArray missingLineEnd(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0 || !file.seek(file.size() - 1)) {
        return QByteArray();
    }
    char last = 0;
    return file.getChar(&last) && last != '\n' ? QByteArray("\r\n") : QByteArray();
}

// Unbuffered, so that the line goes to the system in one write and a failure shows at once.
constexpr QIODevice::OpenMode appendMode =
    QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;

MaybeFailure writeAndClose(QFile& file, const QByteArray& line)
{
    const qint64 sizeBefore = file.size();
    const qint64 written = file.write(line);
    if (written == line.size()) {
        file.close();
        if (file.error() == QFileDevice::NoError) {
            return std::nullopt;
        }
        return writeFailure(file, line.size());
    }
    const Failure failure = writeFailure(file, line.size());
    // Part of a line, left by a full disk, would run into the next record appended; take it
    // back, unless another program has appended since.
    if (written > 0 && file.size() == sizeBefore + written) {
        file.resize(sizeBefore);
    }
    file.close();
    return failure;
}

} // namespace

bool isPlainFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

MaybeFailure createRecordFile(const QString& path, const QString& record)
{
    // The file comes into being under its name already holding its first record: written beside
    // it under a passing name, then renamed into place, which fails when another copy of the
    // program has created it first. So no copy ever sees it empty and appends a weighing as its
    // first line.
    const QFileInfo target(path);
    if (target.exists()) {
        return openFailure(path, Access::Create);
    }
    QTemporaryFile draft(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!draft.open()) {
        return openFailure(path, Access::Create);
    }
    const QByteArray line = recordLine(record);
    if (draft.write(line) != line.size() || !draft.flush()) {
        return writeFailure(draft, line.size());
    }
    draft.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::ReadOther);
    if (!draft.rename(path)) {
        return openFailure(path, Access::Create);
    }
    draft.setAutoRemove(false); // it is the patient file now
    return std::nullopt;
}

MaybeFailure appendRecord(const QString& path, const QString& record)
{
    QFile file(path);
    if (!file.open(appendMode | QIODevice::ExistingOnly)) {
        return openFailure(path, Access::Append);
    }
    return writeAndClose(file, missingLineEnd(path) + recordLine(record));
}

RecordReading readRecords(const QString& path)
{
    RecordReading reading;
    QFile file(path);
    // Only regular files: a device or a pipe could feed us without end.
    if (!isPlainFile(path) || !file.open(QIODevice::ReadOnly)) {
        reading.failure = openFailure(path, Access::Read);
        return reading;
    }
    const QString name = QFileInfo(path).fileName();
    // Never more than the limit, and no more than the file holds: a history is a few hundred bytes.
    const QByteArray content = file.read(std::min(file.size(), maxRecordFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        reading.failure = Failure{
            DeviceIoError,
            QStringLiteral("Error de E/S en el dispositivo al leer el archivo %1.").arg(name)};
        return reading;
    }
    if (content.size() > maxRecordFileSize) {
        reading.failure = Failure{
            DataTooLarge,
            QStringLiteral("El archivo %1 es demasiado grande para ser una historia clínica.")
                .arg(name)};
        return reading;
    }

    for (const QByteArray& line : content.split('\n')) {
        QString record = QString::fromLatin1(line).trimmed();
        if (record.isEmpty()) {
            continue;
        }
        if (record.size() > maxRecordLength) {
            reading.failure = Failure{
                DataTooLarge,
                QStringLiteral("El archivo %1 contiene un registro demasiado largo para ser una "
                               "historia clínica.")
                    .arg(name)};
            return reading;
        }
        if (record.startsWith(u'"')) {
            record.remove(0, 1);
        }
        if (record.endsWith(u'"')) {
            record.chop(1);
        }
        reading.records.append(record);
    }
    return reading;
}

} // namespace zelpo
