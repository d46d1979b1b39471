#include "records/OutputFile.h"

#include "core/Conversions.h"
#include "records/CorrectionsFile.h"
#include "records/OutputWriting.h"
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

// The same for the corrections file a history may be given beside it.
bool namedLikeACorrectionsFile(const QString& path)
{
    static const QRegularExpression correctionsFileEnding(
        QStringLiteral("\\.cor[. ]*$"), QRegularExpression::CaseInsensitiveOption);
    return correctionsFileEnding.match(path).hasMatch();
}

// The system gives up on a name after 40 links, and so does the guard.
constexpr int maxLinksFollowed = 40;

struct LinkChain
{
    QStringList names;  // the name given first, the file written last
    bool ended = false; // false: too many links, or a loop, before an ordinary name
};

// Every name met from `path` on, each link followed in turn, as far as the guard goes.
LinkChain followLinks(const QString& path)
{
    LinkChain chain{{path}};
    for (QFileInfo name(path); name.isSymLink(); name.setFile(chain.names.last())) {
        if (chain.names.size() > maxLinksFollowed) {
            return chain;
        }
        chain.names.append(name.symLinkTarget());
    }
    chain.ended = true;
    return chain;
}

Failure historyRefused(const QString& path)
{
    return {PermissionDenied, QStringLiteral("El archivo %1 es una historia clínica de Zelpo: un "
                                             "archivo de paciente nunca se reemplaza. Elija otro "
                                             "nombre.")
                                  .arg(shownPath(path))};
}

// The corrections beside a history are as much the child's record as the history itself.
Failure correctionsRefused(const QString& path)
{
    return {PermissionDenied, QStringLiteral("El archivo %1 es un archivo de correcciones de una "
                                             "historia clínica de Zelpo: nunca se reemplaza. "
                                             "Elija otro nombre.")
                                  .arg(shownPath(path))};
}

// A file the guard cannot look at to the end may be a history as well as anything else.
Failure notCheckable(const QString& path, const QString& why)
{
    return {PermissionDenied,
            QStringLiteral("El archivo %1 %2, así que no se puede comprobar si es una historia "
                           "clínica de Zelpo: no se reemplaza. Elija otro nombre.")
                .arg(shownPath(path), why)};
}

// Whether the file that stands at the end of a chain is a history, as far as it can be told: the
// history loader would take it for one when its first record is a date. It is looked at without
// waiting for other desks' locks, since the first record is in place from the moment a patient
// file exists. A file too large, or with lines too long, for a history is not one.
MaybeFailure refuseHistory(const QString& path)
{
    // As long a record as a corrections file holds, so that one by another name is seen too.
    const RecordReading reading = readRecords(path, {.kind = &correctionsFileKind}, std::nullopt);
    if (reading.records.isEmpty() && reading.failure && reading.failure->code != DataTooLarge &&
        reading.failure->code != FileNotFound) {
        return notCheckable(path, QStringLiteral("no se puede leer"));
    }
    if (!reading.records.isEmpty() && dateValue(reading.records.first())) {
        return historyRefused(path);
    }
    if (!reading.records.isEmpty() && parseCorrection(reading.records.first())) {
        return correctionsRefused(path);
    }
    return std::nullopt;
}

// The file an output to `path` would replace, once every link on the way is followed, or why
// none may be written there. Saving writes to this very file, so that no link is followed
// further than the guard looked.
Result<QString> checkedTarget(const QString& path)
{
    const LinkChain chain = followLinks(path);
    for (const QString& name : chain.names) {
        if (namedLikeAPatientFile(name)) {
            return historyRefused(name);
        }
        if (namedLikeACorrectionsFile(name)) {
            return correctionsRefused(name);
        }
    }
    if (!chain.ended) {
        return notCheckable(path, QStringLiteral("lleva por una cadena de enlaces simbólicos que "
                                                 "no se puede seguir hasta su final (demasiado "
                                                 "larga o en círculo)"));
    }
    const QString& target = chain.names.last();
    if (QFileInfo(target).isFile()) {
        if (MaybeFailure refused = refuseHistory(target)) {
            return *refused;
        }
    }
    return target;
}

} // namespace

MaybeFailure refuseOutputOverPatientFile(const QString& path)
{
    const Result<QString> target = checkedTarget(path);
    return target.ok() ? MaybeFailure() : target.failure();
}

MaybeFailure saveOutputFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                            const OutputDraft& draft)
{
    const Result<QString> target = checkedTarget(path);
    if (!target.ok()) {
        return target.failure();
    }
    const std::unique_ptr<QSaveFile> file =
        draft ? draft(target.value()) : std::make_unique<QSaveFile>(target.value());
    if (!file->open(QIODevice::WriteOnly)) {
        return outputNotWritten(target.value(), file->error(), false);
    }
    if (const MaybeFailure unwritten = writeWholeDraft(*file, write, target.value())) {
        file->cancelWriting();
        return unwritten;
    }
    // Another program, or another desk, may have put a history or a link there while the file
    // was written.
    if (const Result<QString> again = checkedTarget(target.value()); !again.ok()) {
        file->cancelWriting();
        return again.failure();
    }
    if (!file->commit()) {
        return outputNotWritten(target.value(), file->error(), false);
    }
    return std::nullopt;
}

MaybeFailure saveOutputFile(const QString& path, const QByteArray& content,
                            const OutputDraft& draft)
{
    return saveOutputFile(
        path, [&content](QIODevice& file) { return file.write(content) == content.size(); }, draft);
}

} // namespace zelpo
