#pragma once

#include <optional>

#include <QString>

class QFile;
class QFileDevice;

// The few calls that the record files need from the operating system and that Qt does not make:
// looking at a name without following a link, opening without following one, locking a whole
// file against other desks, and telling the names a file has.
namespace zelpo {

enum class FileLock {
    Shared,    // to read: readers never wait for each other, only for a desk appending
    Exclusive, // to read back and append: one desk at a time
};

// What stands under the name, the name itself and not what a link points at: nothing when it is
// free or an ordinary file, otherwise what it is, as the user is told ("un enlace simbólico").
std::optional<QString> otherThanPlainFile(const QString& path);

// Why an existing ordinary file could not be opened: what the system said (an errno value, 0
// when it said nothing), or what stands under the name instead.
struct OpenRefusal
{
    int systemError = 0;
    std::optional<QString> notPlain;
};

// Opens an existing ordinary file. Another program may put a link, a pipe or a device under the
// name at any moment, so the name is opened without following a link and without waiting for a
// pipe's other end, and what was opened is checked on the descriptor itself, not on the name.
// Opened for writing, every write goes to the end of the file.
std::optional<OpenRefusal> openPlainFileAlone(QFile& file, const QString& path, bool forWriting);

enum class LockAttempt { Taken, HeldElsewhere, NotKept };

// One try at locking the whole open file, without waiting. A lock that this file system does not
// keep (a local lock manager missing, an NFS share mounted without locking) is NotKept.
LockAttempt tryLock(QFileDevice& file, FileLock lock);

// Whether the open file is the one that stands under `otherPath`, under another name: a hard
// link makes two names of one file, which the name alone never shows.
bool isSameFile(QFileDevice& file, const QString& otherPath);

// How many names the open file has on its file system (hard links); 1 where it cannot be told.
qint64 nameCount(QFileDevice& file);

} // namespace zelpo
