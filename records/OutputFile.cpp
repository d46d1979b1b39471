#include "records/OutputFile.h"

#include "core/Conversions.h"
#include "records/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

namespace zelpo {

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// A name of the patient files' form, in whatever letter case: even where no file stands yet,
// the name belongs to a history the program may create. Windows drops dots and blanks at the end
// of a name, so "x.crv." would be written as x.crv.
bool namedLikeAPatientFile(const QString& path)
{
    static const QRegularExpression patientFileEnding(QStringLiteral("\\.crv[. ]*$"),
                                                      QRegularExpression::CaseInsensitiveOption);
    return patientFileEnding.match(path).hasMatch();
}

// A file that the history loader would take for a history: its first record is a date. It is
// looked at without waiting for other desks' locks, since the first record is in place from the
// moment a patient file exists.
bool readsAsAHistory(const QString& path)
{
    const RecordReading reading = readRecords(path, {}, std::nullopt);
    return !reading.records.isEmpty() && dateValue(reading.records.first());
}

// What the user can do something about: a folder that is gone or closed to us, a full disk.
Failure notWritten(const QString& path, const QSaveFile& file)
{
    const QString name = shownPath(path);
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.isDir()) {
        return {PathAccessError, QStringLiteral("No existe la carpeta del archivo %1.").arg(name)};
    }
    if (!folder.isWritable()) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede escribir en la carpeta del archivo "
                               "%1.")
                    .arg(name)};
    }
    if (file.error() == QFileDevice::ResourceError) {
        return {DiskFull,
                QStringLiteral("Disco lleno: no se pudo escribir el archivo %1.").arg(name)};
    }
    return {DeviceIoError,
            QStringLiteral("Error de E/S en el dispositivo al escribir el archivo %1.").arg(name)};
}

} // namespace

MaybeFailure refuseOutputOverPatientFile(const QString& path)
{
    // Behind a link, the file replaced would be the one it points at, there or not yet.
    QStringList names{path};
    for (QFileInfo link(path); link.isSymLink() && names.size() <= 40; link.setFile(names.last())) {
        names.append(link.symLinkTarget());
    }
    for (const QString& name : names) {
        if (namedLikeAPatientFile(name) || (QFileInfo(name).isFile() && readsAsAHistory(name))) {
            return Failure{PermissionDenied,
                           QStringLiteral("El archivo %1 es una historia clínica de Zelpo: un "
                                          "archivo de paciente nunca se reemplaza. Elija otro "
                                          "nombre.")
                               .arg(shownPath(name))};
        }
    }
    return std::nullopt;
}

MaybeFailure saveOutputFile(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    if (MaybeFailure refused = refuseOutputOverPatientFile(path)) {
        return refused;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return notWritten(path, file);
    }
    if (!write(file)) {
        const Failure failure = notWritten(path, file);
        file.cancelWriting();
        return failure;
    }
    // Another program, or another desk, may have put a history there while the file was written.
    if (MaybeFailure refused = refuseOutputOverPatientFile(path)) {
        file.cancelWriting();
        return refused;
    }
    if (!file.commit()) {
        return notWritten(path, file);
    }
    return std::nullopt;
}

} // namespace zelpo
