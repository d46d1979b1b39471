#pragma once

#include "core/Failure.h"

#include <chrono>
#include <functional>
#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

class QFileDevice;

// Files of quoted text records, one per line, each line ending in carriage return and line feed.
// Every call opens the file, does its one job and closes it again.
namespace zelpo {

// Our records hold at most 20 characters; a line much longer than that is not one of ours.
inline constexpr qsizetype maxRecordLength = 64;
// A history of forty thousand weighings still fits; anything larger is not a patient's history.
inline constexpr qint64 maxRecordFileSize = 1024 * 1024;

// The program's folder may be shared by several desks. A file another desk is reading or
// appending to is waited for this long; then the user is told to try again.
inline constexpr std::chrono::milliseconds otherDeskWait{3000};

// Called once when a file turns out to be in use at another desk, before the wait for it
// begins, so that the window can show that it is waiting.
using WhileWaiting = std::function<void()>;

enum class FileLock {
    Shared,    // to read: readers never wait for each other, only for a desk appending
    Exclusive, // to read back and append: one desk at a time
};

// Locks the whole of the open file against the programs of other desks (honoured by NFS and
// SMB servers), trying again for up to otherDeskWait while another desk holds it. Closing the
// file releases the lock, so a file is never left locked between two operations. On a file
// system that keeps no locks the file is used unlocked, as a single desk always could.
MaybeFailure lockAgainstOtherDesks(QFileDevice& file, FileLock lock, const QString& path,
                                   const WhileWaiting& whileWaiting = {});

// What a kind of record file is to the user, as its messages name it, and the longest record it
// holds: a patient file and a corrections file are kept by the same rules, but never taken for
// each other.
struct RecordFileKind
{
    const char* plainName; // "un archivo de paciente": what a folder under its name is not
    const char* content;   // "una historia clínica": what a file too large or of no text is not
    const char* records;   // "medidas": what a full file takes no more of
    qsizetype longestRecord;
};

inline constexpr RecordFileKind patientFileKind{"un archivo de paciente", "una historia clínica",
                                                "medidas", maxRecordLength};

// How one file of records is used: what kind it is, the file it must never be under another
// name (a hard link), a check that may stop it being created, and what the window does while
// another desk holds it.
struct RecordFileRules
{
    const RecordFileKind* kind = &patientFileKind;
    QString neverTheSameAs;
    std::function<MaybeFailure()> beforeCreating;
    WhileWaiting whileWaiting;
};

// Whether an ordinary file stands under the name, looked at without following a link. When
// something else stands there (a symbolic link, a pipe, a device, a socket, a folder), the
// failure names the file and says what it is: such a name is never read, written or waited on.
Result<bool> plainFileExists(const QString& path, const RecordFileKind& kind = patientFileKind);

// Records are written in UTF-8; the patient file's, digits and "/" only, are the same bytes in
// any code.

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
// text), that is the file it must never be, nor when the new records would make it too large to
// be read back. Never creates the file.
MaybeFailure appendRecords(const QString& path, const AppendPlan& plan,
                           const RecordFileRules& rules = {});

// The one way records are filed: when no file stands under the name, it is created holding what
// the plan makes of no records, after the rules' check; otherwise, or when another desk created
// it meanwhile, the plan's records are appended under the lock as appendRecords does. A folder
// that refuses the new file is named as the program's folder.
MaybeFailure createOrAppendRecords(const QString& path, const AppendPlan& plan,
                                   const RecordFileRules& rules = {});

struct RecordReading
{
    QStringList records;            // in file order, without quotation marks or line ends
    QList<qsizetype> lines;         // each record's line, counted from 1 as an editor counts them
    std::optional<Failure> failure; // why reading stopped early; the records before it are kept
};

// Reads every record back, under the file's shared lock unless told to take none. A line ends at
// a carriage return and line feed, a line feed or a carriage return alone, as editors end them;
// blank lines are skipped; a UTF-8 byte-order mark at the start, a missing final line end, blanks
// around a record and missing quotation marks are tolerated. A line is read as UTF-8 when it is
// valid UTF-8, otherwise byte for byte. A file larger than maxRecordFileSize, or that is the file
// the rules say it must never be, yields no records, and a record longer than its kind holds ends
// the reading.
RecordReading readRecords(const QString& path, const RecordFileRules& rules = {},
                          std::optional<FileLock> lock = FileLock::Shared);

} // namespace zelpo
