#include "records/RecordFormat.h"

#include "records/RecordFileFailures.h"

#include <algorithm>

namespace zelpo {

namespace {

// A mark some editors put at the start of a text file saved as UTF-8; it is no part of a record.
constexpr char utf8ByteOrderMark[] = "\xEF\xBB\xBF";

// The program writes digits and "/" only, but a record typed in an editor may hold other letters,
// saved in UTF-8 or in a single-byte code: whichever the line is, it is shown as typed.
QString lineText(QByteArrayView line)
{
    const QString utf8 = QString::fromUtf8(line);
    return utf8.toUtf8() == line ? utf8 : QString::fromLatin1(line);
}

} // namespace

QByteArray recordLine(const QString& record)
{
    return '"' + record.toUtf8() + "\"\r\n";
}

QByteArrayView withoutByteOrderMark(QByteArrayView content)
{
    return content.startsWith(utf8ByteOrderMark) ? content.sliced(3) : content;
}

// Both kinds of file are read line by line alike.
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
            reading.failure = recordTooLong(path, lineNumber, kind);
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

} // namespace zelpo
