#include "records/RecordFile.h"

#include "records/RecordFileFailures.h"

#include <algorithm>
#include <thread>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace zelpo {

namespace {

// How often a desk looks again whether another desk has finished with a file.
constexpr std::chrono::milliseconds lockRetryInterval{10};

// Opens an existing ordinary file, refusing what the rules refuse, and, with a lock, hands it
// back only once the lock is held.
MaybeFailure openPlainFile(QFile& file, const QString& path, FileAccess access,
                           std::optional<FileLock> lock, const RecordFileRules& rules)
{
    const RecordFileKind& kind = *rules.kind;
    if (const std::optional<OpenRefusal> refused =
            openPlainFileAlone(file, path, access != FileAccess::Read)) {
        return refused->notPlain ? notAPlainFile(path, kind, *refused->notPlain)
                                 : openFailure(path, kind, access, refused->systemError);
    }
    if (!rules.neverTheSameAs.isEmpty() && isSameFile(file, rules.neverTheSameAs)) {
        file.close();
        return anotherNameOf(path, rules.neverTheSameAs, kind);
    }
    // Twins share a birth date: through a second name, one child's records would fit the
    // other's file, and be filed or applied there without a word.
    if ((access != FileAccess::Read || !rules.readWithOtherNames) && nameCount(file) > 1) {
        file.close();
        return hasOtherNames(path, !rules.readWithOtherNames);
    }
    if (lock) {
        if (MaybeFailure notLocked = lockAgainstOtherDesks(file, *lock, path, rules.whileWaiting,
                                                           rules.waitForOtherDesk)) {
            file.close();
            return notLocked;
        }
    }
    return std::nullopt;
}

// Never more than the limit, and no more than the file holds: a history is a few hundred bytes.
Result<QByteArray> readContent(QFile& file, const QString& path, const RecordFileKind& kind)
{
    const QByteArray content = file.read(std::min(file.size(), maxRecordFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        return readFailure(path);
    }
    if (content.size() > maxRecordFileSize) {
        return tooLargeFor(path, kind);
    }
    return content;
}

MaybeFailure writeAndClose(QFile& file, const QString& path, const QByteArray& line)
{
    const qint64 sizeBefore = file.size();
    file.seek(sizeBefore);
    const qint64 written = file.write(line);
    if (written == line.size()) {
        file.close();
        if (file.error() == QFileDevice::NoError) {
            return std::nullopt;
        }
        return writeFailure(file, path, line.size());
    }
    const Failure failure = writeFailure(file, path, line.size());
    // Part of a line, left by a full disk, would run into the next record appended; take it
    // back, unless another program has appended since.
    if (written > 0 && file.size() == sizeBefore + written) {
        file.resize(sizeBefore);
    }
    file.close();
    return failure;
}

} // namespace

MaybeFailure lockAgainstOtherDesks(QFileDevice& file, FileLock lock, const QString& path,
                                   const WhileWaiting& whileWaiting, std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(std::max(wait, std::chrono::milliseconds::zero()),
                                  Qt::PreciseTimer);
    for (bool told = false;; told = true) {
        if (tryLock(file, lock) != LockAttempt::HeldElsewhere) {
            return std::nullopt;
        }
        if (deadline.hasExpired()) {
            return inUseAtAnotherDesk(path, lock);
        }
        if (!told && whileWaiting) {
            whileWaiting();
        }
        std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(
            lockRetryInterval, deadline.remainingTimeAsDuration()));
    }
}

Result<bool> plainFileExists(const QString& path, const RecordFileKind& kind)
{
    if (const std::optional<QString> other = otherThanPlainFile(path)) {
        return notAPlainFile(path, kind, *other);
    }
    return !path.isEmpty() && QFileInfo::exists(path);
}

MaybeFailure createRecordFile(const QString& path, const QStringList& records,
                              const RecordFileKind& kind)
{
    // The file comes into being under its name already holding its first records: written beside
    // it under a passing name, then renamed into place, which fails when another copy of the
    // program has created it first. So no copy ever sees it empty and appends a weighing as its
    // first line.
    if (QFileInfo(path).exists() || otherThanPlainFile(path)) {
        return openFailure(path, kind, FileAccess::Create);
    }
    QTemporaryFile draft(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!draft.open()) {
        return openFailure(path, kind, FileAccess::Create);
    }
    QByteArray lines;
    for (const QString& record : records) {
        lines += recordLine(record);
    }
    if (draft.write(lines) != lines.size() || !draft.flush() || draft.size() != lines.size()) {
        return writeFailure(draft, path, lines.size());
    }
    draft.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::ReadOther);
    if (!draft.rename(path)) {
        return openFailure(path, kind, FileAccess::Create);
    }
    draft.setAutoRemove(false); // it is the file itself now
    return std::nullopt;
}

MaybeFailure appendRecords(const QString& path, const AppendPlan& plan,
                           const RecordFileRules& rules)
{
    const RecordFileKind& kind = *rules.kind;
    QFile file;
    if (const MaybeFailure notOpened =
            openPlainFile(file, path, FileAccess::Append, FileLock::Exclusive, rules)) {
        return notOpened;
    }
    const Result<QByteArray> stored = readContent(file, path, kind);
    if (!stored.ok()) {
        return stored.failure();
    }
    const RecordReading reading = parseRecords(stored.value(), path, kind);
    if (reading.failure) {
        return reading.failure;
    }
    if (holdsNonText(reading.records)) {
        return notText(path, kind);
    }
    const Result<QStringList> records = plan(reading.records);
    if (!records.ok()) {
        return records.failure();
    }
    // A file whose last line has no line end (left so by an editor or a cut-off copy) would run
    // that line and ours together; the line end goes out in the same write as the records.
    QByteArray lines;
    const QByteArrayView text = withoutByteOrderMark(stored.value());
    if (!text.isEmpty() && !text.endsWith('\n')) {
        lines = "\r\n";
    }
    for (const QString& record : records.value()) {
        lines += recordLine(record);
    }
    // A file the program could no longer read back would be lost as a whole.
    if (stored.value().size() + lines.size() > maxRecordFileSize) {
        return fileFull(path, kind);
    }
    return writeAndClose(file, path, lines);
}

MaybeFailure createOrAppendRecords(const QString& path, const AppendPlan& plan,
                                   const RecordFileRules& rules)
{
    const Result<bool> exists = plainFileExists(path, *rules.kind);
    if (!exists.ok()) {
        return exists.failure();
    }
    if (!exists.value()) {
        if (rules.beforeCreating) {
            if (const MaybeFailure refused = rules.beforeCreating()) {
                return refused;
            }
        }
        const Result<QStringList> first = plan({});
        if (!first.ok()) {
            return first.failure();
        }
        const MaybeFailure created = createRecordFile(path, first.value(), *rules.kind);
        if (created && created->code == PermissionDenied) {
            return programFolderClosed(QFileInfo(path).absolutePath());
        }
        // Another copy of the program may have created the file since we looked: its records
        // stand, and ours join them.
        if (!created || created->code != FileAlreadyExists) {
            return created;
        }
    }
    return appendRecords(path, plan, rules);
}

RecordReading readRecords(const QString& path, const RecordFileRules& rules,
                          std::optional<FileLock> lock)
{
    QFile file;
    if (const MaybeFailure notOpened = openPlainFile(file, path, FileAccess::Read, lock, rules)) {
        return {{}, {}, notOpened};
    }
    const Result<QByteArray> content = readContent(file, path, *rules.kind);
    if (!content.ok()) {
        return {{}, {}, content.failure()};
    }
    return parseRecords(content.value(), path, *rules.kind);
}

} // namespace zelpo
