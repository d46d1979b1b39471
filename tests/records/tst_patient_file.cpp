#include "core/Conversions.h"
#include "records/AppliedCorrections.h"
#include "records/CorrectionsFile.h"
#include "records/OutputFile.h"
#include "records/PatientFile.h"
#include "records/WeighingsCsv.h"
#include "support/FullDiskDraft.h"
#include "support/TestFiles.h"

#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QDate firstVisit(2021, 3, 3);
const QByteArray birthLine = "\"14/02/2021\"\r\n";
const QByteArray firstWeighing = "\"03/03/20210000003950\"\r\n";

MaybeFailure store(const QDir& folder, const QString& weight = "3950", QDate day = firstVisit,
                   bool varon = false, const QString& history = "4711")
{
    const Result<QString> name = NombreArchivo(history, varon);
    if (!name.ok())
        return name.failure();
    const Result<FiledWeighing> filed =
        GuardarMedida(name.value(), QDate(2021, 2, 14), numericValue(weight), day, folder);
    return filed.ok() ? MaybeFailure() : filed.failure();
}

QString describe(const MaybeFailure& failure)
{
    return failure ? QString::number(failure->code) + " " + failure->description : "no failure";
}

} // namespace

class PatientFile : public QObject
{
    Q_OBJECT

private slots:
    void namesTheFileAfterNumberAndSex_data();
    void namesTheFileAfterNumberAndSex();
    void createsTheFileOnceThenOnlyAppends();
    void failedStoresLeaveTheFolderAsItWas();
    void aFullDiskLeavesNoWeighingWithoutBirthDate();
    void exportsEachWeighingAsTheChartShowsIt();
    void anOutputIsWrittenWholeOrNotAtAll();
    void keepsCorrectionsBesideThePatientFile();
    void neverWritesThroughASecondName();
    void checksReasonsAsWrittenAndAsRead_data();
    void checksReasonsAsWrittenAndAsRead();
    void appliesOnlySoundCorrections_data();
    void appliesOnlySoundCorrections();
};

void PatientFile::namesTheFileAfterNumberAndSex_data()
{
    QTest::addColumn<QString>("history");
    QTest::addColumn<bool>("varon");
    QTest::addColumn<QString>("expected"); // empty: no name can be formed

    QTest::newRow("Mujer") << "4711" << false << "0004711M.CRV";
    QTest::newRow("Varón") << "52" << true << "0000052V.CRV";
    QTest::newRow("fraction dropped") << "12.9" << false << "0000012M.CRV";
    QTest::newRow("sign after zeros") << "-5" << true << "00000-5V.CRV";
    QTest::newRow("empty counts as 0") << "" << false << "0000000M.CRV";
    QTest::newRow("eight digits") << "12345678" << false << "";
    QTest::newRow("exponent form") << "1e9" << false << "";
}

void PatientFile::namesTheFileAfterNumberAndSex()
{
    QFETCH(QString, history);
    QFETCH(bool, varon);
    QFETCH(QString, expected);
    const Result<QString> name = NombreArchivo(history, varon);
    QCOMPARE(name.ok() ? name.value() : QString(), expected);
}

void PatientFile::createsTheFileOnceThenOnlyAppends()
{
    QTemporaryDir temp;
    const QDir folder(temp.path());
    const QString path = folder.filePath("0004711M.CRV");
    QVERIFY2(!store(folder), "first store failed");
    QCOMPARE(contentOf(path), birthLine + firstWeighing);

    // Another birth date typed now: the stored one stands. The fraction of a gram is dropped.
    const Result<FiledWeighing> filed =
        GuardarMedida("0004711M.CRV", QDate(2020, 5, 1), 4620.9, QDate(2021, 4, 10), folder);
    QCOMPARE(contentOf(path), birthLine + firstWeighing + "\"10/04/20210000004620\"\r\n");
    // What the store hands back is the file as it now stands, and where the weighing is in it.
    QVERIFY(filed.ok() && filed.value().record == 2);
    QCOMPARE(filed.value().records,
             (QStringList{"14/02/2021", "03/03/20210000003950", "10/04/20210000004620"}));

    QVERIFY2(!store(folder, "3950", firstVisit, true), "store as Varón failed");
    QCOMPARE(contentOf(folder.filePath("0004711V.CRV")), birthLine + firstWeighing);
    QCOMPARE(contentOf(path).size(), 62);

    const RecordReading reading = readPatientRecords("0004711M.CRV", folder);
    QCOMPARE(reading.records,
             (QStringList{"14/02/2021", "03/03/20210000003950", "10/04/20210000004620"}));
    const WeighingRecord weighing = splitWeighingRecord(reading.records.value(2));
    QCOMPARE(weighing.dateText, QString("10/04/2021"));
    QCOMPARE(weighing.grams, 4620.0);
    QCOMPARE(splitWeighingRecord("10/04/2021abcdefghij").grams, 0.0);
}

void PatientFile::failedStoresLeaveTheFolderAsItWas()
{
    QTemporaryDir temp;
    const QDir folder(temp.path());
    const MaybeFailure tooLong = store(folder, "3950", firstVisit, false, "1e9");
    QVERIFY2(tooLong && tooLong->code == InvalidArgument, qPrintable(describe(tooLong)));
    QVERIFY2(folder.isEmpty(), "a history number too long touched the folder");

    QVERIFY(folder.mkdir("0004711M.CRV"));
    QVERIFY2(!patientFileExists("0004711M.CRV", folder).ok(), "a folder was taken for a file");
    const MaybeFailure intoFolder = store(folder);
    QVERIFY2(intoFolder && intoFolder->description.contains("0004711M.CRV"),
             qPrintable(describe(intoFolder)));
    QVERIFY(QDir(folder.filePath("0004711M.CRV")).isEmpty());

    // Corrections left from another child's file: no patient file is made beside them.
    QVERIFY(writeBytes(folder.filePath("0000053M.COR"), "\"A|0001|03/03/20210000003950|x|r\"\r\n"));
    const MaybeFailure stray = store(folder, "3950", firstVisit, false, "53");
    QVERIFY2(stray && stray->description.contains("0000053M.COR") &&
                 stray->description.contains("0000053M.CRV"),
             qPrintable(describe(stray)));
    QVERIFY(!QFile::exists(folder.filePath("0000053M.CRV")) &&
            QFile::remove(folder.filePath("0000053M.COR")));

    QVERIFY(!store(folder, "3950", firstVisit, true));
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(folder.filePath("0004711V.CRV"), QFile::ReadOwner);
    std::optional<PermissionBitsEnforced> evenForRoot(std::in_place);
    const bool enforced = !QFile(folder.filePath("0004711V.CRV")).open(QIODevice::Append);
    const MaybeFailure newFile = store(folder, "3950", firstVisit, false, "52");
    const MaybeFailure oldFile = store(folder, "4620", firstVisit, true);
    const Result<QStringList> corrected = appendCorrection(
        "0004711V.CRV", {CorrectionKind::StruckOut, 1, "03/03/20210000003950", firstVisit, "r"},
        folder);
    evenForRoot.reset();
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!enforced) {
        QSKIP("running as a user whom permissions do not stop");
    }
    QVERIFY2(newFile && newFile->code == PermissionDenied &&
                 newFile->description.contains(QDir::toNativeSeparators(temp.path()) + ", donde") &&
                 newFile->description.endsWith("debe permitir escribir en ella."),
             qPrintable(describe(newFile)));
    QVERIFY2(oldFile && oldFile->code == PermissionDenied, qPrintable(describe(oldFile)));
    // The corrections file is created as the patient file is, the program's folder named alike.
    QVERIFY2(!corrected.ok() && corrected.failure().description == newFile->description,
             qPrintable(describe(corrected.ok() ? MaybeFailure() : corrected.failure())));
    QCOMPARE(folder.entryList(QDir::Files), QStringList{"0004711V.CRV"});
    QCOMPARE(contentOf(folder.filePath("0004711V.CRV")), birthLine + firstWeighing);
}

void PatientFile::aFullDiskLeavesNoWeighingWithoutBirthDate()
{
#ifdef Q_OS_UNIX
    QTemporaryDir temp;
    const QDir folder(temp.path());
    MaybeFailure noRoom, roomForBirthDate;
    {
        const FileSizeLimit limit(10);
        noRoom = store(folder);
    }
    // The file the user knows, never the draft written beside it.
    QVERIFY2(noRoom && noRoom->description.endsWith("archivo 0004711M.CRV."),
             qPrintable(describe(noRoom)));
    QVERIFY2(folder.isEmpty(), "a file without its birth date was left behind");
    {
        const FileSizeLimit limit(20);
        roomForBirthDate = store(folder);
    }
    QVERIFY2(roomForBirthDate && folder.isEmpty(), "a new file was left without its weighing");
#else
    QSKIP("file size limits are a Unix facility");
#endif
}

void PatientFile::exportsEachWeighingAsTheChartShowsIt()
{
    // A weighing with no date before it is left off the chart; one whose date cannot be read
    // takes the date before it, and so no gain; the last one is dated before birth. One struck
    // out is listed as such, and the gain after it skips it. A fall across the lines is to review.
    const QStringList records{"29/10/2022",           "00/00/00000000002900",
                              "28/10/20240000012500", "31/02/20240000012400",
                              "07/11/20240000012600", "07/11/20250000010000",
                              "01/01/20220000003000"};
    QCOMPARE(
        weighingsCsv("0000012",
                     storedHistory(records, ChartSex::Girls, {{{3, "error; tipeo"}}, {}, {}})),
        QByteArray("\xEF\xBB\xBF"
                   "Historia;Sexo;Nacimiento;Fecha;Días;Meses;Gramos;Percentil;g/día;Estado;"
                   "Para revisar\r\n"
                   "0000012;Mujer;29/10/2022;28/10/2024;730;24;12500;P50–P75;;;\r\n"
                   "0000012;Mujer;29/10/2022;28/10/2024;730;24;12400;P50–P75;;\"anulada: error; "
                   "tipeo\";\r\n"
                   "0000012;Mujer;29/10/2022;07/11/2024;740;24;12600;P50–P75;+10;;\r\n"
                   "0000012;Mujer;29/10/2022;07/11/2025;1105;36;10000;< P3;-7;;\"bajó 3 espacios "
                   "de percentil desde el 07/11/2024; por debajo de P3\"\r\n"
                   "0000012;Mujer;29/10/2022;01/01/2022;-301;-10;3000;;;;\r\n"));
    const QByteArray quoted = weighingsCsv("1;\"2\"\n", storedHistory(records, ChartSex::Boys));
    QVERIFY2(quoted.contains("\r\n\"1;\"\"2\"\"\n\";Varón;29/10/2022;28/10/2024;730;24;12500;"),
             quoted.constData());
    // Born at 30+0 and weighed 40 days before the due date: its corrected months are none yet.
    const StoredHistory early =
        storedHistory({"29/10/2022", "28/11/20220000002500"}, ChartSex::Girls,
                      {{}, {}, GestationalAge::fromText(u"30")});
    QVERIFY2(weighingsCsv("0000012", early).contains(";30;0;-40;;2500;antes del término;"),
             weighingsCsv("0000012", early).constData());
}

void PatientFile::anOutputIsWrittenWholeOrNotAtAll()
{
    QTemporaryDir temp;
    const QString output = temp.filePath("informe.pdf");
    QVERIFY(writeBytes(output, "earlier"));
    // A writer that gives up halfway; then a history put there by another program meanwhile.
    QVERIFY(saveOutputFile(output, [](QIODevice& out) { return !out.write("half"); }));
    QCOMPARE(contentOf(output), QByteArray("earlier"));
    QVERIFY(saveOutputFile(output, [&output](QIODevice& out) {
        return writeBytes(output, birthLine) && out.write("%PDF") == 4;
    }));
    QCOMPARE(contentOf(output), birthLine);
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"informe.pdf"});

    // A spreadsheet over an earlier one on a disk that fills before, while or after it is written.
    const QString sheet = temp.filePath("medidas.csv");
    const QByteArray csv = weighingsCsv(
        "0004711", storedHistory({"14/02/2021", "03/03/20210000003950"}, ChartSex::Girls));
    QVERIFY(writeBytes(sheet, "earlier"));
    for (const qint64 room : {qint64(0), qint64(10), csv.size() - 1}) {
        const MaybeFailure full = saveOutputFile(sheet, csv, FullDiskDraft::withRoomFor(room));
        QVERIFY2(full && full->code == DiskFull && full->description.startsWith("Disco lleno"),
                 qPrintable(describe(full)));
        QCOMPARE(contentOf(sheet), QByteArray("earlier"));
    }
    QVERIFY(!saveOutputFile(sheet, csv, FullDiskDraft::withRoomFor(csv.size())));
    QCOMPARE(contentOf(sheet), csv);
    QCOMPARE(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"informe.pdf", "medidas.csv"}));
}

void PatientFile::keepsCorrectionsBesideThePatientFile()
{
    QTemporaryDir temp;
    const QDir folder(temp.path());
    const QString patientFile = folder.filePath("0004711M.CRV");
    const QString correctionsFile = folder.filePath("0004711M.COR");
    QVERIFY(writeBytes(patientFile, birthLine));
    QCOMPARE(readCorrections("0004711M.CRV", folder).failure.has_value(), false); // none yet
    const QString weighing = "03/05/20250000001200";
    const Correction corrections[] = {
        {CorrectionKind::StruckOut, 3, weighing, {2026, 12, 7}, "error de \"tipeo\"\r\n|1200"},
        {CorrectionKind::Restored, 3, weighing, {2026, 12, 8}, " báscula: " + QString(99, 'x')},
        {CorrectionKind::BirthDate, 0, "01/03/2025", {2026, 12, 9}, "mal copiada"},
        {CorrectionKind::GestationalAge, 0, "14/02/2021", {2026, 12, 10}, "30+2"}};
    for (const Correction& correction : corrections) {
        const Result<QStringList> appended = appendCorrection("0004711M.CRV", correction, folder);
        QVERIFY(appended.ok() &&
                appended.value() == readCorrections("0004711M.CRV", folder).records);
    }
    QCOMPARE(contentOf(folder.filePath("0004711M.COR")),
             "\"A|0003|03/05/20250000001200|07/12/2026|error de tipeo|1200\"\r\n"
             "\"R|0003|03/05/20250000001200|08/12/2026|b\xC3\xA1scula: " +
                 QByteArray(71, 'x') +
                 "\"\r\n"
                 "\"N|0000|01/03/2025|09/12/2026|mal copiada\"\r\n"
                 "\"G|0000|14/02/2021|10/12/2026|30+2\"\r\n");
    for (const QString& record : readCorrections("0004711M.CRV", folder).records)
        QCOMPARE(correctionRecord(parseCorrection(record).value()), record);

    // Nothing is written for a reason made only of what the record cannot hold, nor into the
    // patient file under another name, nor into a file that starts as a patient file does.
    Correction struck = corrections[0];
    struck.reason = "\"\t\"";
    QCOMPARE(appendCorrection("0004711M.CRV", struck, folder).failure().description,
             "No se puede anotar la corrección del registro 3 del archivo 0004711M.CRV: falta el "
             "motivo.");
    struck.reason = "tipeo";
    for (bool hardLink : {true, false}) {
        QVERIFY(QFile::remove(correctionsFile));
        QVERIFY(hardLink ? ::link(qPrintable(patientFile), qPrintable(correctionsFile)) == 0
                         : writeBytes(correctionsFile, birthLine));
        const Result<QStringList> refused = appendCorrection("0004711M.CRV", struck, folder);
        QVERIFY2(!refused.ok() && refused.failure().description.contains("0004711M.CRV") &&
                     readCorrections("0004711M.CRV", folder).failure,
                 hardLink ? "a hard link" : "a birth date first");
        QCOMPARE(contentOf(patientFile), birthLine);
    }
    // Its failures name it as what it is, never as a patient file.
    QVERIFY(QFile::remove(correctionsFile) && QDir().mkdir(correctionsFile));
    QCOMPARE(readCorrections("0004711M.CRV", folder).failure->description,
             "Error de acceso a la ruta o al archivo: 0004711M.COR no es un archivo de "
             "correcciones, sino una carpeta.");
}

void PatientFile::neverWritesThroughASecondName()
{
    // Twins share a birth date: the boy's corrections file made a second name of the girl's.
    QTemporaryDir temp;
    const QDir folder(temp.path());
    QVERIFY(!store(folder) && !store(folder, "4100", firstVisit, true, "4712"));
    const Correction struck{
        CorrectionKind::StruckOut, 1, "03/03/20210000003950", {2021, 3, 4}, "tipeo"};
    QVERIFY(appendCorrection("0004711M.CRV", struck, folder).ok());
    const QString girls = folder.filePath("0004711M.COR");
    const QByteArray girlsCorrections = contentOf(girls);
    QVERIFY(::link(qPrintable(girls), qPrintable(folder.filePath("0004712V.COR"))) == 0);
    for (const QString& child : QStringList{"0004711M.CRV", "0004712V.CRV"}) {
        const RecordReading read = readCorrections(child, folder);
        QVERIFY2(read.records.isEmpty() && read.failure &&
                     read.failure->description.contains(correctionsFileName(child)) &&
                     read.failure->description.contains("tiene más de un nombre"),
                 qPrintable(describe(read.failure)));
    }
    const Correction atTerm{CorrectionKind::GestationalAge, 0, "14/02/2021", {2021, 3, 4}, "37+0"};
    QVERIFY2(!appendCorrection("0004712V.CRV", atTerm, folder).ok(), "written for both twins");
    QCOMPARE(contentOf(girls), girlsCorrections);

    // A patient file with a second name is read, but no weighing is filed into it.
    const QString girlsHistory = folder.filePath("0004711M.CRV");
    const QByteArray history = contentOf(girlsHistory);
    QVERIFY(::link(qPrintable(girlsHistory), qPrintable(folder.filePath("copia.CRV"))) == 0);
    QCOMPARE(readPatientRecords("0004711M.CRV", folder).records.size(), 2);
    const MaybeFailure stored = store(folder, "4000");
    QVERIFY2(stored && stored->description.contains("0004711M.CRV tiene más de un nombre"),
             qPrintable(describe(stored)));
    QCOMPARE(contentOf(girlsHistory), history);
}

void PatientFile::checksReasonsAsWrittenAndAsRead_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");                           // by the record written
    QTest::addColumn<std::optional<CorrectionFault>>("written"); // none: written
    QTest::addColumn<std::optional<CorrectionFault>>("read");    // typed into the file by hand
    const std::optional<CorrectionFault> none, missing = CorrectionFault::ReasonMissing,
                                               unkept = CorrectionFault::ReasonUnkept,
                                               reversed = CorrectionFault::ReasonReversed;
    const auto row = [](const char* name, const QString& typed, const QString& kept,
                        std::optional<CorrectionFault> written,
                        std::optional<CorrectionFault> read) {
        QTest::newRow(name) << typed << kept << written << read;
    };
    const QString x79(79, 'x');
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    row("a reason", "error de tipeo", "error de tipeo", none, none);
    row("blanks", "  ", "", missing, missing);
    row("a quotation mark", "\"a\"", "a", none, unkept);
    row("a zero-width space alone", "\u200B", "\u200B", missing, missing);
    row("combining marks alone", "\u0301\u0308", "\u0301\u0308", missing, missing);
    row("a dash alone", "—", "—", missing, missing);
    row("a zero-width space in a word", "ti\u200Bpeo", "ti\u200Bpeo", none, none);
    row("a right-to-left override", "\u202Eoepit", "\u202Eoepit", reversed, reversed);
    row("an isolate", "a \u2067b\u2069", "a \u2067b\u2069", reversed, reversed);
    row("79 characters and an emoji", x79 + emoji, x79 + emoji, none, none);
    row("80 characters and an emoji", x79 + "x" + emoji, x79 + "x", none, unkept);
    row("79 characters, an emoji and more", x79 + emoji + "yy", x79 + emoji, none, unkept);
    row("79 characters and half an emoji", x79 + emoji.front(), x79, none, none);
    row("81 characters", QString(81, 'x'), QString(80, 'x'), none, unkept);
}

void PatientFile::checksReasonsAsWrittenAndAsRead()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(std::optional<CorrectionFault>, written);
    QFETCH(std::optional<CorrectionFault>, read);
    QCOMPARE(keptReason(typed), kept);
    QTemporaryDir temp;
    const QDir folder(temp.path());
    QVERIFY(writeBytes(folder.filePath("0004711M.CRV"), birthLine + firstWeighing));
    const Result<QStringList> appended = appendCorrection(
        "0004711M.CRV", {CorrectionKind::StruckOut, 1, "03/03/20210000003950", {2021, 3, 4}, typed},
        folder);
    QCOMPARE(appended.ok() ? QString() : appended.failure().description,
             written
                 ? "No se puede anotar la corrección del registro 1 del archivo 0004711M.CRV: " +
                       faultText(*written) + "."
                 : QString());
    if (appended.ok())
        QCOMPARE(parseCorrection(appended.value().last())->reason, kept);
    const AppliedCorrections applied =
        applyCorrections({"14/02/2021", "03/03/20210000003950"},
                         {"A|0001|03/03/20210000003950|04/03/2021|" + typed});
    QCOMPARE(applied.unapplied.isEmpty() ? std::nullopt : std::optional(applied.unapplied[0].fault),
             read);
}

void PatientFile::appliesOnlySoundCorrections_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<std::optional<CorrectionFault>>("fault"); // none: applied
    const auto row = [](const char* name, const QString& record,
                        std::optional<CorrectionFault> fault = {}) {
        QTest::newRow(name) << record << fault;
    };
    const CorrectionFault notOne = CorrectionFault::NotACorrection;
    row("four fields", "A|0001|03/05/20250000001200|07/12/2026", notOne);
    row("no such kind", "X|0001|03/05/20250000001200|07/12/2026|r", notOne);
    row("no such day", "A|0001|03/05/20250000001200|29/02/2026|r", notOne);
    row("the birth date struck", "A|0000|01/03/2025|07/12/2026|r", notOne);
    row("no new birth date", "N|0000|03/05/20250000001200|07/12/2026|r", notOne);
    row("struck out", "A|0001|03/05/20250000001200|07/12/2026|tipeo");
    row("another weighing's text", "A|0001|02/05/20250000004000|07/12/2026|r",
        CorrectionFault::NoMatch);
    row("restored without a reason", "R|0001|03/05/20250000001200|07/12/2026|");
    row("birth date corrected", "N|0000|02/03/2025|07/12/2026|mal copiada");
    row("born after the correction", "N|0000|08/12/2026|07/12/2026|r",
        CorrectionFault::BirthDateAfterDay);
    row("born after the earliest weighing", "N|0000|03/05/2025|07/12/2026|r",
        CorrectionFault::BirthDateAfterWeighing);
    row("gestational age at birth", "G|0000|01/03/2025|07/12/2026|30+2");
    row("gestational age of another birth", "G|0000|02/03/2025|07/12/2026|30+2",
        CorrectionFault::NoMatch);
    row("no gestational age", "G|0000|01/03/2025|07/12/2026|treinta",
        CorrectionFault::NoGestationalAge);
    row("gestational age of a weighing", "G|0001|03/05/20250000001200|07/12/2026|30", notOne);
}

void PatientFile::appliesOnlySoundCorrections()
{
    QFETCH(QString, record);
    QFETCH(std::optional<CorrectionFault>, fault);
    // Born on 01/03/2025, weighed on 03/05/2025 and, stored after it, on 02/05/2025.
    const QStringList patient{"01/03/2025", "03/05/20250000001200", "02/05/20250000004000"};
    const AppliedCorrections applied = applyCorrections(patient, {record});
    QCOMPARE(applied.unapplied.isEmpty() ? std::nullopt : std::optional(applied.unapplied[0].fault),
             fault);
    // The table's dialog refuses what the reading would not apply, and a year read a century back.
    const std::optional<Correction> correction = parseCorrection(record);
    if (correction && correction->kind == CorrectionKind::BirthDate)
        QCOMPARE(birthDateCorrectionRefusal(*dateValue(correction->recordText), correction->date,
                                            patient)
                     .has_value(),
                 fault.has_value());
    QVERIFY(birthDateCorrectionRefusal({1925, 3, 2}, {2026, 12, 7}, patient));
    // The last gestational age recorded decides, one at term among them.
    QCOMPARE(applyCorrections(patient, {"G|0000|01/03/2025|07/12/2026|30+2",
                                        "G|0000|01/03/2025|08/12/2026|38+1"})
                 .corrections.gestation->text(),
             "38+1");
}

QTEST_GUILESS_MAIN(PatientFile)
#include "tst_patient_file.moc"
