#include "records/FileSystemCalls.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

#ifdef Q_OS_WIN
// Qt hands out a C runtime descriptor over its own handle; closing the file closes that handle,
// and with it go its locks.
HANDLE systemHandle(QFileDevice& file)
{
    const int descriptor = file.handle();
    return descriptor < 0 ? INVALID_HANDLE_VALUE
                          : reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor));
}
#endif

} // namespace

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

std::optional<OpenRefusal> openPlainFileAlone(QFile& file, const QString& path, bool forWriting)
{
    if (std::optional<QString> other = otherThanPlainFile(path)) {
        return OpenRefusal{0, std::move(other)};
    }
    // Appending also reads the file back; the system puts every write at the end.
    const QIODevice::OpenMode mode =
        forWriting ? QIODevice::ReadWrite | QIODevice::Unbuffered : QIODevice::ReadOnly;
#ifdef Q_OS_UNIX
    const int flags =
        O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (forWriting ? O_RDWR | O_APPEND : O_RDONLY);
    const int descriptor = ::open(QFile::encodeName(path).constData(), flags);
    if (descriptor < 0) {
        return OpenRefusal{errno, std::nullopt};
    }
    struct stat opened;
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        return OpenRefusal{0, QStringLiteral("un archivo especial")};
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(descriptor, mode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return OpenRefusal{};
    }
#else
    file.setFileName(path);
    if (!file.open(mode | QIODevice::ExistingOnly)) {
        return OpenRefusal{};
    }
    if (std::optional<QString> other = otherThanPlainFile(path)) {
        file.close();
        return OpenRefusal{0, std::move(other)};
    }
#endif
    return std::nullopt;
}

LockAttempt tryLock(QFileDevice& file, FileLock lock)
{
#if defined(Q_OS_WIN)
    const HANDLE handle = systemHandle(file);
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

bool isSameFile(QFileDevice& file, const QString& otherPath)
{
#if defined(Q_OS_UNIX)
    struct stat opened, other;
    return ::fstat(file.handle(), &opened) == 0 &&
           ::stat(QFile::encodeName(otherPath).constData(), &other) == 0 &&
           opened.st_dev == other.st_dev && opened.st_ino == other.st_ino;
#elif defined(Q_OS_WIN)
    const HANDLE handle = systemHandle(file);
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

qint64 nameCount(QFileDevice& file)
{
#if defined(Q_OS_UNIX)
    struct stat opened;
    return ::fstat(file.handle(), &opened) == 0 ? qint64(opened.st_nlink) : 1;
#elif defined(Q_OS_WIN)
    BY_HANDLE_FILE_INFORMATION opened{};
    const HANDLE handle = systemHandle(file);
    return handle != INVALID_HANDLE_VALUE && ::GetFileInformationByHandle(handle, &opened)
               ? qint64(opened.nNumberOfLinks)
               : 1;
#else
    Q_UNUSED(file);
    return 1;
#endif
}

} // namespace zelpo
