#pragma once

#include "core/Failure.h"

#include <functional>

#include <QString>
#include <QStringList>

// Files of quoted text records, one per line, each line ending in carriage return and line feed.
// Every call opens the file, does its one job and closes it again.
namespace zelpo {

// Our records hold at most 20 characters; a line much longer than that is not one of ours.
inline constexpr qsizetype maxRecordLength = 64;
// A history of forty thousand weighings still fits; anything larger is not a patient's history.
inline constexpr qint64 maxRecordFileSize = 1024 * 1024;

// Whether an ordinary file stands under the name, looked at without following a link. When
// something else stands there (a symbolic link, a pipe, a device, a socket, a folder), the
// failure names the file and says what it is: such a name is never read, written or waited on.
Result<bool> plainFileExists(const QString& path);

// Creates the file holding exactly this one record. Fails with FileAlreadyExists when the file
// is already there, and leaves no file behind when the record could not be written.
MaybeFailure createRecordFile(const QString& path, const QString& record);

// Given the records a file holds, the records to append to it, or why nothing may be appended.
using AppendPlan = std::function<Result<QStringList>(const QStringList& storedRecords)>;

// Reads the existing file back through the descriptor it then appends to, and appends what the
// plan makes of its records with a single write, so that two programs appending at the same
// moment never mix their lines. Nothing is appended to a file that cannot be read back as
// records of ours: too large, a record too long, or bytes that are no text. Never creates the
// file.
MaybeFailure appendRecords(const QString& path, const AppendPlan& plan);

struct RecordReading
{
    QStringList records;            // in file order, without quotation marks or line ends
    std::optional<Failure> failure; // why reading stopped early; the records before it are kept
};

// Reads every record back. Blank lines are skipped; a missing final line end, bare line feeds,
// blanks around a record and missing quotation marks are tolerated. A file larger than
// maxRecordFileSize yields no records, and a record longer than maxRecordLength ends the reading.
RecordReading readRecords(const QString& path);

} // namespace zelpo
