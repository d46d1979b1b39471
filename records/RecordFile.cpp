#include "records/RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <thread>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#endif

namespace zelpo {

namespace {

enum class Access { Create, Append, Read };

// A mark some editors put at the start of a text file saved as UTF-8; it is no part of a record.
constexpr char utf8ByteOrderMark[] = "\xEF\xBB\xBF";

// How often a desk looks again whether another desk has finished with a file.
constexpr std::chrono::milliseconds lockRetryInterval{10};

QByteArray recordLine(const QString& record)
{
    return '"' + record.toUtf8() + "\"\r\n";
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

// What stands under the name, the name itself and not what a link points at: nothing when it
// is free or an ordinary file, otherwise what it is, as the user is told.
std::optional<QString> otherThanPlainFile(const QString& path)
{
#ifdef Q_OS_UNIX
    struct stat entry;
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0 || S_ISREG(entry.st_mode)) {
        return std::nullopt;
    }
    if (S_ISLNK(entry.st_mode)) {
        return QStringLiteral("un enlace simbólico");
    }
    if (S_ISDIR(entry.st_mode)) {
        return QStringLiteral("una carpeta");
    }
    if (S_ISFIFO(entry.st_mode)) {
        return QStringLiteral("una tubería");
    }
    if (S_ISCHR(entry.st_mode) || S_ISBLK(entry.st_mode)) {
        return QStringLiteral("un dispositivo");
    }
    if (S_ISSOCK(entry.st_mode)) {
        return QStringLiteral("un socket");
    }
    return QStringLiteral("un archivo especial");
#else
    const QFileInfo entry(path);
    if (entry.isSymLink() || entry.isJunction()) {
        return QStringLiteral("un enlace simbólico");
    }
    if (entry.isDir()) {
        return QStringLiteral("una carpeta");
    }
    if (entry.exists() && !entry.isFile()) {
        return QStringLiteral("un archivo especial");
    }
    return std::nullopt;
#endif
}

Failure notAPlainFile(const QString& path, const RecordFileKind& kind, const QString& whatItIs)
{
    return {PathAccessError,
            QStringLiteral("Error de acceso a la ruta o al archivo: %1 no es %2, sino %3.")
                .arg(fileNameOf(path), QString::fromUtf8(kind.plainName), whatItIs)};
}

// Works out, after the fact, why a file could not be opened, from what the system said when it
// said anything (`systemError`, an errno value) and from what stands under the name.
Failure openFailure(const QString& path, const RecordFileKind& kind, Access access,
                    int systemError = 0)
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
    if (access == Access::Create && file.exists()) {
        return {FileAlreadyExists, QStringLiteral("El archivo %1 ya existe.").arg(name)};
    }
    if (access != Access::Create && !file.exists()) {
        return {FileNotFound, QStringLiteral("No se encontró el archivo %1.").arg(name)};
    }
    // The folder is there and the name is free: what refused the new file is the folder, even
    // where the system's access check says it may be written (a share that maps the user to
    // another, an access list, a security module).
    if (access == Access::Create) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede crear el archivo %1.").arg(name)};
    }
    // The system's access check answers for the user the program runs as, not always for the
    // one the file system sees (a share that maps the user to another, an access list).
    const bool refused = systemError == EACCES || systemError == EPERM;
    if (access == Access::Append && (refused || !file.isWritable())) {
        return {
            PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en el archivo %1.").arg(name)};
    }
    if (access == Access::Read && (refused || !file.isReadable())) {
        return {PermissionDenied,
                QStringLiteral("Permiso denegado: no se puede leer el archivo %1.").arg(name)};
    }
    return {PathAccessError,
            QStringLiteral("Error de acceso a la ruta o al archivo: no se pudo abrir el archivo "
                           "%1.")
                .arg(name)};
}

// `path` is the file the user knows, even when the bytes went to a draft beside it.
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

enum class LockAttempt { Taken, HeldElsewhere, NotKept };

// One try, without waiting. A lock that this file system does not keep (a local lock
// manager missing, an NFS share mounted without locking) is no reason to stop a desk working.
LockAttempt tryLock(QFileDevice& file, FileLock lock)
{
#if defined(Q_OS_WIN)
    // Qt hands out a C runtime descriptor over its own handle; closing the file closes that
    // handle, and with it go its locks.
    const int descriptor = file.handle();
    const auto handle = descriptor < 0 ? INVALID_HANDLE_VALUE
                                       : reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE) {
        return LockAttempt::NotKept;
    }
    // From the first byte to the largest offset there is, so that records appended past the
    // present end are covered too.
    OVERLAPPED fromTheStart{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY |
                        (lock == FileLock::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : DWORD(0));
    if (::LockFileEx(handle, flags, 0, MAXDWORD, MAXDWORD, &fromTheStart)) {
        return LockAttempt::Taken;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION
               ? LockAttempt::HeldElsewhere
               : LockAttempt::NotKept;
#elif defined(Q_OS_UNIX)
    // A record lock, which NFS and Samba pass on to the server, over the whole file: a length of
    // 0 reaches whatever end the file will have.
    struct flock whole = {};
    whole.l_type = lock == FileLock::Exclusive ? F_WRLCK : F_RDLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0;
    int result;
    do {
        result = ::fcntl(file.handle(), F_SETLK, &whole);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        return LockAttempt::Taken;
    }
    return errno == EACCES || errno == EAGAIN ? LockAttempt::HeldElsewhere : LockAttempt::NotKept;
#else
    Q_UNUSED(file);
    Q_UNUSED(lock);
    return LockAttempt::NotKept;
#endif
}

// Whether the open file is the one that stands under `otherPath`, under another name: a hard
// link makes two names of one file, which the name alone never shows.
bool isSameFile(QFileDevice& file, const QString& otherPath)
{
#if defined(Q_OS_UNIX)
    struct stat opened, other;
    return ::fstat(file.handle(), &opened) == 0 &&
           ::stat(QFile::encodeName(otherPath).constData(), &other) == 0 &&
           opened.st_dev == other.st_dev && opened.st_ino == other.st_ino;
#elif defined(Q_OS_WIN)
    const int descriptor = file.handle();
    const auto handle = descriptor < 0 ? INVALID_HANDLE_VALUE
                                       : reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
    const HANDLE otherHandle =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(otherPath).utf16()),
                      0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION opened{}, other{};
    const bool same = handle != INVALID_HANDLE_VALUE && otherHandle != INVALID_HANDLE_VALUE &&
                      ::GetFileInformationByHandle(handle, &opened) &&
                      ::GetFileInformationByHandle(otherHandle, &other) &&
                      opened.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
                      opened.nFileIndexHigh == other.nFileIndexHigh &&
                      opened.nFileIndexLow == other.nFileIndexLow;
    if (otherHandle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(otherHandle);
    }
    return same;
#else
    Q_UNUSED(file);
    Q_UNUSED(otherPath);
    return false;
#endif
}

// Opens an existing ordinary file. Another program may put a link, a pipe or a device under the
// name at any moment, so the name is opened without following a link and without waiting for a
// pipe's other end, and what was opened is checked on the descriptor itself, not on the name.
// With a lock, the file is handed back only once the lock is held.
MaybeFailure openPlainFile(QFile& file, const QString& path, Access access,
                           std::optional<FileLock> lock, const RecordFileRules& rules)
{
    const RecordFileKind& kind = *rules.kind;
    if (const std::optional<QString> other = otherThanPlainFile(path)) {
        return notAPlainFile(path, kind, *other);
    }
    // Appending also reads the file back; the system puts every write at the end.
    const QIODevice::OpenMode mode =
        access == Access::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite | QIODevice::Unbuffered;
#ifdef Q_OS_UNIX
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC |
                      (access == Access::Read ? O_RDONLY : O_RDWR | O_APPEND);
    const int descriptor = ::open(QFile::encodeName(path).constData(), flags);
    if (descriptor < 0) {
        return openFailure(path, kind, access, errno);
    }
    struct stat opened;
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return notAPlainFile(path, kind, QStringLiteral("un archivo especial"));
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return openFailure(path, kind, access);
    }
#else
    file.setFileName(path);
    if (!file.open(mode | QIODevice::ExistingOnly)) {
        return openFailure(path, kind, access);
    }
    if (const std::optional<QString> other = otherThanPlainFile(path)) {
        file.close();
        return notAPlainFile(path, kind, *other);
    }
#endif
    if (!rules.neverTheSameAs.isEmpty() && isSameFile(file, rules.neverTheSameAs)) {
        file.close();
        return Failure{TypeMismatch,
                       QStringLiteral("El archivo %1 es otro nombre del archivo %2, y no %3: no "
                                      "se lee ni se escribe.")
                           .arg(fileNameOf(path), fileNameOf(rules.neverTheSameAs),
                                QString::fromUtf8(kind.plainName))};
    }
    if (lock) {
        if (MaybeFailure notLocked = lockAgainstOtherDesks(file, *lock, path, rules.whileWaiting)) {
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
        return Failure{DeviceIoError,
                       QStringLiteral("Error de E/S en el dispositivo al leer el archivo %1.")
                           .arg(fileNameOf(path))};
    }
    if (content.size() > maxRecordFileSize) {
        return Failure{DataTooLarge,
                       QStringLiteral("El archivo %1 es demasiado grande para ser %2.")
                           .arg(fileNameOf(path), QString::fromUtf8(kind.content))};
    }
    return content;
}

QByteArrayView withoutByteOrderMark(QByteArrayView content)
{
    return content.startsWith(utf8ByteOrderMark) ? content.sliced(3) : content;
}

// The program writes digits and "/" only, but a record typed in an editor may hold other letters,
// saved in UTF-8 or in a single-byte code: whichever the line is, it is shown as typed.
QString lineText(QByteArrayView line)
{
    const QString utf8 = QString::fromUtf8(line);
    return utf8.toUtf8() == line ? utf8 : QString::fromLatin1(line);
}

// Both kinds of file are read line by line alike, and a line is counted as an editor counts it:
// ended by a carriage return and line feed, by a line feed, or by a carriage return alone.
RecordReading parseRecords(QByteArrayView content, const QString& path, const RecordFileKind& kind)
{
    RecordReading reading;
    const QByteArrayView text = withoutByteOrderMark(content);
    qsizetype lineNumber = 0;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        const QByteArrayView line = text.sliced(start, end - start);
        start = end + (text.sliced(end).startsWith("\r\n") ? 2 : 1);
        ++lineNumber;
        QString record = lineText(line).trimmed();
        if (record.isEmpty()) {
            continue;
        }
        if (record.size() > kind.longestRecord) {
            reading.failure = Failure{
                DataTooLarge,
                QStringLiteral("El archivo %1 contiene en la línea %2 un registro demasiado largo "
                               "para ser %3.")
                    .arg(fileNameOf(path))
                    .arg(lineNumber)
                    .arg(QString::fromUtf8(kind.content))};
            return reading;
        }
        if (record.startsWith(u'"')) {
            record.remove(0, 1);
        }
        if (record.endsWith(u'"')) {
            record.chop(1);
        }
        reading.records.append(record);
        reading.lines.append(lineNumber);
    }
    return reading;
}

bool holdsNonText(const QStringList& records)
{
    return std::any_of(records.cbegin(), records.cend(), [](const QString& record) {
        return std::any_of(record.cbegin(), record.cend(),
                           [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    });
}

// A new file can only be created where the program stands: what is in the way is the folder, and
// only those who look after the computer can open it.
Failure programFolderClosed(const QString& folder)
{
    return {PermissionDenied,
            QStringLiteral("Permiso denegado: no se puede escribir en la carpeta del programa, "
                           "%1, donde se guardan las historias clínicas. El consultorio debe "
                           "permitir escribir en ella.")
                .arg(QDir::toNativeSeparators(folder))};
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
                                   const WhileWaiting& whileWaiting)
{
    const QDeadlineTimer deadline(otherDeskWait, Qt::PreciseTimer);
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
        return openFailure(path, kind, Access::Create);
    }
    QTemporaryFile draft(QFileInfo(path).absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!draft.open()) {
        return openFailure(path, kind, Access::Create);
    }
    QByteArray lines;
    for (const QString& record : records) {
        lines += recordLine(record);
    }
    if (draft.write(lines) != lines.size() || !draft.flush()) {
        return writeFailure(draft, path, lines.size());
    }
    draft.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                         QFile::ReadOther);
    if (!draft.rename(path)) {
        return openFailure(path, kind, Access::Create);
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
            openPlainFile(file, path, Access::Append, FileLock::Exclusive, rules)) {
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
        return Failure{TypeMismatch,
                       QStringLiteral("El archivo %1 contiene datos que no son texto: no es %2.")
                           .arg(fileNameOf(path), QString::fromUtf8(kind.content))};
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
        return Failure{DataTooLarge, QStringLiteral("El archivo %1 está lleno: no admite más %2.")
                                         .arg(fileNameOf(path), QString::fromUtf8(kind.records))};
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
    if (const MaybeFailure notOpened = openPlainFile(file, path, Access::Read, lock, rules)) {
        return {{}, {}, notOpened};
    }
    const Result<QByteArray> content = readContent(file, path, *rules.kind);
    if (!content.ok()) {
        return {{}, {}, content.failure()};
    }
    return parseRecords(content.value(), path, *rules.kind);
}

} // namespace zelpo
