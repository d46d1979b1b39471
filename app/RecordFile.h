#pragma once

#include "app/Failure.h"

#include <QString>
#include <QStringList>

// Files of quoted text records, one per line, each line ending in carriage return and line feed.
// Every call opens the file, does its one job and closes it again.
namespace zelpo {

// Our records hold at most 20 characters; a line much longer than that is not one of ours.
inline constexpr qsizetype maxRecordLength = 64;
// A history of forty thousand weighings still fits; anything larger is not a patient's history.
inline constexpr qint64 maxRecordFileSize = 1024 * 1024;

// True when the path names an existing regular file (a folder of that name does not count).
bool isPlainFile(const QString& path);

// Creates the file holding exactly this one record. Fails with FileAlreadyExists when the file
// is already there, and leaves no file behind when the record could not be written.
MaybeFailure createRecordFile(const QString& path, const QString& record);

// Appends one record to an existing file with a single write, so that two programs appending
// at the same moment never mix their lines. Never creates the file.
MaybeFailure appendRecord(const QString& path, const QString& record);

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
