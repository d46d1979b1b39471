#pragma once

#include "core/Failure.h"
#include "records/RecordFileKind.h"

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// How records stand in a file: one a line in quotation marks, each line ending in carriage return
// and line feed, written in UTF-8 (the patient file's, digits and "/" only, are the same bytes in
// any code), and read back as tolerantly as an editor may have left them.
namespace zelpo {

// A history of forty thousand weighings still fits; anything larger is not a patient's history.
inline constexpr qint64 maxRecordFileSize = 1024 * 1024;

struct RecordReading
{
    QStringList records;            // in file order, without quotation marks or line ends
    QList<qsizetype> lines;         // each record's line, counted from 1 as an editor counts them
    std::optional<Failure> failure; // why reading stopped early; the records before it are kept
};

// `"record"` and CR LF, in UTF-8.
QByteArray recordLine(const QString& record);

// The file's bytes without the mark some editors put at the start of a text saved as UTF-8.
QByteArrayView withoutByteOrderMark(QByteArrayView content);

// Every record of the bytes, in order. A line ends at a carriage return and line feed, a line
// feed or a carriage return alone, as editors end them, and is numbered as an editor numbers it;
// blank lines are skipped; blanks around a record and missing quotation marks are tolerated. A
// line is read as UTF-8 when it is valid UTF-8, otherwise byte for byte. A record longer than
// the kind holds ends the reading; `path` names the file in that failure.
RecordReading parseRecords(QByteArrayView content, const QString& path, const RecordFileKind& kind);

// Whether a record holds control characters: bytes that are no text.
bool holdsNonText(const QStringList& records);

} // namespace zelpo
