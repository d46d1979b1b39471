// Patient files may be left behind by a person with an editor, a broken disk or another program.
// Whatever a file holds, reading it must end quickly with sound records or a failure, reading
// must leave it as it was, and storing a weighing must add exactly one record at its end, or
// leave a file that is no history untouched.

#include "core/Conversions.h"
#include "fuzz/FuzzInput.h"
#include "records/PatientFile.h"
#include "records/RecordFile.h"

#include <algorithm>
#include <cmath>

using zelpo::fuzz::contentOf;
using zelpo::fuzz::requireThat;

namespace {

const QString patientFileName = QStringLiteral("0004711M.CRV");
const QByteArray storedWeighing = "\"03/03/20210000003950\"\r\n";

void checkReading(const zelpo::RecordReading& reading, const QByteArray& content,
                  const QString& context)
{
    // A line ends at CR LF, LF or a CR alone.
    const qsizetype lines = content.count('\n') + content.count('\r') - content.count("\r\n") + 1;
    requireThat(reading.records.size() <= lines && reading.lines.size() == reading.records.size(),
                "no more records than lines, each with its line", context);
    if (content.size() > zelpo::maxRecordFileSize) {
        requireThat(reading.records.isEmpty() && reading.failure.has_value(),
                    "a file too large for a history yields no records", context);
    }
    for (const QString& record : reading.records) {
        requireThat(record.size() <= zelpo::maxRecordLength, "no record is overlong", context);
        requireThat(!record.contains(u'\n'), "no record spans two lines", context);
        const zelpo::WeighingRecord weighing = zelpo::splitWeighingRecord(record);
        requireThat(weighing.dateText.size() <= 10, "a weighing's date is ten characters at most",
                    context);
        requireThat(std::isfinite(weighing.grams), "a weighing's grams are finite", context);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QDir folder(zelpo::fuzz::workFolder());
    const QString path = folder.filePath(patientFileName);
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    zelpo::fuzz::writeFile(path, content);
    const QString context = QString::fromLatin1(content.left(200));

    const zelpo::RecordReading reading = zelpo::readRecords(path);
    checkReading(reading, content, context);
    const zelpo::RecordReading patientReading = zelpo::readPatientRecords(patientFileName, folder);
    requireThat(patientReading.records == reading.records &&
                    patientReading.failure.has_value() == reading.failure.has_value(),
                "the patient reader reads what the record reader reads", context);
    requireThat(contentOf(path) == content, "reading leaves the file as it was", context);

    const zelpo::Result<zelpo::FiledWeighing> filed =
        zelpo::GuardarMedida(patientFileName, QDate(2021, 2, 14), 3950, QDate(2021, 3, 3), folder);
    const zelpo::MaybeFailure storing =
        filed.ok() ? zelpo::MaybeFailure() : zelpo::MaybeFailure(filed.failure());
    // A weighing joins only a file that reads back as a history: text, within bounds, and the
    // birth date first, or nothing at all yet.
    const bool isText =
        std::none_of(reading.records.cbegin(), reading.records.cend(), [](const QString& record) {
            return std::any_of(record.cbegin(), record.cend(),
                               [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
        });
    const bool history = !reading.failure && isText &&
                         (reading.records.isEmpty() || zelpo::isDate(reading.records.first()));
    if (!history) {
        requireThat(storing.has_value() && contentOf(path) == content,
                    "a file that is no history is refused and left as it was", context);
        return 0;
    }
    // Only a last line left without its line end gets one, in front of the new records (a
    // byte-order mark alone is no line); an emptied file gets its birth date back first.
    const QByteArray text = content.startsWith("\xEF\xBB\xBF") ? content.sliced(3) : content;
    const bool unended = !text.isEmpty() && !text.endsWith('\n');
    const QByteArray added = QByteArray(unended ? "\r\n" : "") +
                             (reading.records.isEmpty() ? "\"14/02/2021\"\r\n" : "") +
                             storedWeighing;
    if (content.size() + added.size() > zelpo::maxRecordFileSize) {
        requireThat(storing.has_value() && contentOf(path) == content,
                    "a history with no room left is refused and left as it was", context);
        return 0;
    }
    requireThat(!storing.has_value(), "a weighing can be added to any history", context);
    requireThat(contentOf(path) == content + added,
                "storing only adds records at the end and changes nothing else", context);
    const zelpo::RecordReading afterStoring = zelpo::readRecords(path);
    requireThat(afterStoring.failure.has_value() ||
                    afterStoring.records.value(afterStoring.records.size() - 1) ==
                        QLatin1StringView("03/03/20210000003950"),
                "the weighing just stored reads back as the last record", context);
    requireThat(afterStoring.failure.has_value() ||
                    (filed.value().records == afterStoring.records &&
                     filed.value().record == afterStoring.records.size() - 1),
                "the store hands back the file as it now reads, its weighing last", context);
    return 0;
}
