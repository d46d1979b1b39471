#include "records/RecordFileFailures.h"

#include <cerrno>

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

namespace zelpo {

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

Failure notAPlainFile(const QString& path, const RecordFileKind& kind, const QString& whatItIs)
{
    return {PathAccessError,
            QStringLiteral("Error de acceso a la ruta o al archivo: %1 no es %2, sino %3.")
                .arg(fileNameOf(path), QString::fromUtf8(kind.plainName), whatItIs)};
}

Failure openFailure(const QString& path, const RecordFileKind& kind, FileAccess access,
                    int systemError)
{
    const QFileInfo file(path);
    const QString name = file.fileName();
    if (name.isEmpty()) {
        return {BadFileName, QStringLiteral("Nombre o número de archivo incorrecto.")};
    }
    if (const std::optional<QString> other = otherThanPlainFile(path)) {
        return notAPlainFile(path, kind, *other);
    }
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir()) {
        return {PathAccessError,
                QStringLiteral("Error de acceso a la ruta o al archivo: no existe la carpeta "
                               "del archivo %1.")
                    .arg(name)};
    }
    if (access == FileAccess::Create && file.exists()) {
        return {FileAlreadyExists, QStringLiteral("El archivo %1 ya existe.").arg(name)};
    }
    if (access != FileAccess::Create && !file.exists()) {
        return {FileNotFound, QStringLiteral("No se encontró el archivo %1.").arg(name)};
    }
    // The folder is there and the name is free: what refused the new file is the folder, even
    // where the system's access check says it may be written (a share that maps the user to
    // another, an access list, a security module).
    if (access == FileAccess::Create) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede crear el archivo %1.").arg(name)};
    }
    // The system's access check answers for the user the program runs as, not always for the
    // one the file system sees (a share that maps the user to another, an access list).
    const bool refused = systemError == EACCES || systemError == EPERM;
    if (access == FileAccess::Append && (refused || !file.isWritable())) {
        return {
            PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en el archivo %1.").arg(name)};
    }
    if (access == FileAccess::Read && (refused || !file.isReadable())) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede leer el archivo %1.").arg(name)};
    }
    return {PathAccessError,
            QStringLiteral("Error de acceso a la ruta o al archivo: no se pudo abrir el archivo "
                           "%1.")
                .arg(name)};
}

Failure writeFailure(const QFileDevice& file, const QString& path, qint64 bytesWanted)
{
    const QString name = fileNameOf(path);
    const QStorageInfo storage(QFileInfo(path).absolutePath());
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

Failure readFailure(const QString& path)
{
    return {DeviceIoError, QStringLiteral("Error de E/S en el dispositivo al leer el archivo %1.")
                               .arg(fileNameOf(path))};
}

Failure tooLargeFor(const QString& path, const RecordFileKind& kind)
{
    return {DataTooLarge, QStringLiteral("El archivo %1 es demasiado grande para ser %2.")
                              .arg(fileNameOf(path), QString::fromUtf8(kind.content))};
}

Failure recordTooLong(const QString& path, qsizetype lineNumber, const RecordFileKind& kind)
{
    return {DataTooLarge,
            QStringLiteral("El archivo %1 contiene en la línea %2 un registro demasiado largo "
                           "para ser %3.")
                .arg(fileNameOf(path))
                .arg(lineNumber)
                .arg(QString::fromUtf8(kind.content))};
}

Failure notText(const QString& path, const RecordFileKind& kind)
{
    return {TypeMismatch, QStringLiteral("El archivo %1 contiene datos que no son texto: no es %2.")
                              .arg(fileNameOf(path), QString::fromUtf8(kind.content))};
}

Failure fileFull(const QString& path, const RecordFileKind& kind)
{
    return {DataTooLarge, QStringLiteral("El archivo %1 está lleno: no admite más %2.")
                              .arg(fileNameOf(path), QString::fromUtf8(kind.records))};
}

Failure inUseAtAnotherDesk(const QString& path, FileLock lock)
{
    const QString name = fileNameOf(path);
    if (lock == FileLock::Exclusive) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: el archivo %1 está en uso en otro puesto; "
                               "intente nuevamente.")
                    .arg(name),
                true};
    }
    return {PermissionDenied,
            QStringLiteral("Permiso denegado: el archivo %1 está en uso en otro puesto y no se "
                           "pudo leer; intente nuevamente.")
                .arg(name),
            true};
}

Failure programFolderClosed(const QString& folder)
{
    return {PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en la carpeta del programa, "
                           "%1, donde se guardan las historias clínicas. El consultorio debe "
                           "permitir escribir en ella.")
                .arg(QDir::toNativeSeparators(folder))};
}

Failure anotherNameOf(const QString& path, const QString& otherPath, const RecordFileKind& kind)
{
    return {TypeMismatch,
            QStringLiteral("El archivo %1 es otro nombre del archivo %2, y no %3: no se lee ni se "
                           "escribe.")
                .arg(fileNameOf(path), fileNameOf(otherPath), QString::fromUtf8(kind.plainName))};
}

Failure hasOtherNames(const QString& path, bool notReadEither)
{
    return {TypeMismatch,
            QStringLiteral("El archivo %1 tiene más de un nombre en el disco (un enlace físico): "
                           "es también otro archivo, quizá el de otro paciente, y lo anotado en "
                           "él valdría para los dos. %2")
                .arg(fileNameOf(path), notReadEither ? QStringLiteral("No se lee ni se escribe.")
                                                     : QStringLiteral("No se escribe en él."))};
}

} // namespace zelpo
