#pragma once

#include "core/Failure.h"
#include "records/FileSystemCalls.h"
#include "records/RecordFormat.h"

#include <chrono>
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

class QFileDevice;

// Files of quoted text records, filed by one protocol at every desk: created whole under their
// name, then only appended to under an exclusive lock after reading them back, and read under a
// shared lock. Every call opens the file, does its one job and closes it again. Every call may
// be made from any thread: none touches a window, and none keeps anything between calls.
namespace zelpo {

// The program's folder may be shared by several desks. A file another desk is reading or
// appending to is waited for this long; then the user is told to try again.
inline constexpr std::chrono::milliseconds otherDeskWait{3000};

// Called once when a file turns out to be in use at another desk, before the wait for it
// begins, so that the window can show that it is waiting. It runs on the thread that waits.
using WhileWaiting = std::function<void()>;

// Locks the whole of the open file against the programs of other desks (honoured by NFS and
// SMB servers), trying again for up to `wait` while another desk holds it; a wait of zero tries
// once. Closing the file releases the lock, so a file is never left locked between two
// operations. On a file system that keeps no locks the file is used unlocked, as a single desk
// always could.
MaybeFailure lockAgainstOtherDesks(QFileDevice& file, FileLock lock, const QString& path,
                                   const WhileWaiting& whileWaiting = {},
                                   std::chrono::milliseconds wait = otherDeskWait);

// How one file of records is used: what kind it is, the file it must never be under another
// name (a hard link), a check that may stop it being created, what the window does while another
// desk holds it and how long another desk is waited for (zero: not at all, a file held fails at
// once as in use at another desk). A file with more than one name is never written, and read
// only when `readWithOtherNames` allows.
struct RecordFileRules
{
    const RecordFileKind* kind = &patientFileKind;
    QString neverTheSameAs{};
    std::function<MaybeFailure()> beforeCreating{};
    WhileWaiting whileWaiting{};
    std::chrono::milliseconds waitForOtherDesk = otherDeskWait;
    bool readWithOtherNames = true;
};

// Whether an ordinary file stands under the name, looked at without following a link. When
// something else stands there (a symbolic link, a pipe, a device, a socket, a folder), the
// failure names the file and says what it is: such a name is never read, written or waited on.
Result<bool> plainFileExists(const QString& path, const RecordFileKind& kind = patientFileKind);

// Creates the file holding exactly these records. Fails with FileAlreadyExists when the file is
// already there, and leaves no file behind when the records could not be written.
MaybeFailure createRecordFile(const QString& path, const QStringList& records,
                              const RecordFileKind& kind = patientFileKind);

// Given the records a file holds (none for a file about to be created), the records to add to
// it, or why nothing may be added.
using AppendPlan = std::function<Result<QStringList>(const QStringList& storedRecords)>;

// Reads the existing file back through the descriptor it then appends to, and appends what the
// plan makes of its records with a single write, all under the file's exclusive lock, so that two
// programs appending at the same moment never mix their lines. Nothing is appended to a file that
// cannot be read back as records of its kind (too large, a record too long, or bytes that are no
// text), that is the file it must never be, that has another name, nor when the new records
// would make it too large to be read back. Never creates the file.
MaybeFailure appendRecords(const QString& path, const AppendPlan& plan,
                           const RecordFileRules& rules = {});

// The one way records are filed: when no file stands under the name, it is created holding what
// the plan makes of no records, after the rules' check; otherwise, or when another desk created
// it meanwhile, the plan's records are appended under the lock as appendRecords does. A folder
// that refuses the new file is named as the program's folder.
MaybeFailure createOrAppendRecords(const QString& path, const AppendPlan& plan,
                                   const RecordFileRules& rules = {});

// Reads every record back (see parseRecords), under the file's shared lock unless told to take
// none. A file larger than maxRecordFileSize, that is the file the rules say it must never be,
// or that has another name where the rules refuse one, yields no records.
RecordReading readRecords(const QString& path, const RecordFileRules& rules = {},
                          std::optional<FileLock> lock = FileLock::Shared);

} // namespace zelpo
