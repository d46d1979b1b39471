// The chart sent out of the program: the open child on the page as poppler reads it back, the
// spreadsheet and the copied chart, a file held at another desk, and the files no output may
// replace or leave half written. Every output takes the history and the chart window's look
// alone: no window is built.

#include "history/ChildHistory.h"
#include "history/FolderChildRow.h"
#include "look/ChartLook.h"
#include "outputs/CopiedChart.h"
#include "outputs/FolderListSpreadsheet.h"
#include "outputs/OutputRunner.h"
#include "outputs/PdfChart.h"
#include "outputs/PrintedChart.h"
#include "outputs/WeighingsSpreadsheet.h"
#include "printout/ChartPdfFile.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/ChartView.h"
#include "support/FixedClock.h"
#include "support/FullDiskDraft.h"
#include "support/GirlsHistory.h"
#include "support/ScriptedMessageService.h"
#include "support/ScriptedOutputDialogs.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

// The girl's history, 4711, opened on 01/06/2023 with a weighing of 12000 g plotted that day and
// not stored; or the same records as a boy's.
struct OpenHistory
{
    QTemporaryDir folder;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2023, 6, 1)};
    ScriptedOutputDialogs dialogs;
    ChildHistory history{folder.path(), {"0", true}};
    const ChartLook look = chartLook(QGuiApplication::palette());
    ChartView view;
    OutputRunner outputs{
        look, nullptr, {messages, clock, dialogs, history, [] { return false; }, view}};

    explicit OpenHistory(bool varon = false)
    {
        QDir::setCurrent(folder.path());
        qputenv("HOME", folder.filePath(QStringLiteral("home")).toUtf8());
        writeBytes(varon ? "0004711V.CRV" : "0004711M.CRV", girlsPatientFile());
        history.load({"4711", varon});
        history.plotUnstored(QDate(2021, 2, 14), 12000, clock.today());
    }
};

} // namespace

class ChartOutputsTest : public QObject
{
    Q_OBJECT

private slots:
    void pageShowsTheOpenChildAndItsStoredWeighings()
    {
        OpenHistory zelpo;
        // Another desk stores a weighing just before the page is saved.
        OtherDesk otherDesk(STORE_HELPER);
        QVERIFY(
            otherDesk.hold(zelpo.folder.filePath("0004711M.CRV"), "\"01/06/20230000011111\"\r\n") &&
            otherDesk.release());
        const QString pdf = zelpo.folder.filePath(QStringLiteral("gráfico 4711.pdf"));
        zelpo.dialogs.pathToChoose = pdf;
        saveChartAsPdf(zelpo.outputs);
        const QString text = outputOf("pdftotext", {"-layout", pdf, "-"});
        // The page's table and the page's chart both show it.
        QVERIFY2(text.contains(QRegularExpression("01/06/2023\\s+837\\s+27\\s+11111")),
                 qPrintable(text));
        QCOMPARE(chartPageSnapshot(zelpo.look, zelpo.history, zelpo.clock.today()).markers.size(),
                 6);
        for (const QString expected :
             {"Nº H.Clínica: 0004711", "Sexo: Mujer", "F. Nacimiento: 14/02/2021",
              "Fecha de impresión: 01/06/2023"})
            QVERIFY2(text.contains(expected), qPrintable(expected + " missing from:\n" + text));
        for (const QStringList& row : storedRows)
            QVERIFY2(text.contains(QRegularExpression(
                         QRegularExpression::escape(row.join(' ')).replace("\\ ", "\\s+"))),
                     qPrintable(row.join(' ')));
        QVERIFY2(!text.contains("12000"), "a weighing that was not stored is in the table");

        // A weighing plotted with another birth date typed counts from the stored one, as the
        // page says.
        zelpo.history.plotUnstored(QDate(2021, 3, 1), 12000, zelpo.clock.today());
        saveChartAsPdf(zelpo.outputs);
        const QString typed = outputOf("pdftotext", {pdf, "-"});
        QVERIFY2(typed.contains("F. Nacimiento: 14/02/2021") && !typed.contains("almacenada:"),
                 qPrintable(typed));

        // Corrected at another desk since: the history says which date is which, not the box.
        QVERIFY(writeBytes(zelpo.folder.filePath("0004711M.COR"),
                           "\"N|0000|20/02/2021|01/06/2023|mal copiada\"\r\n"));
        saveChartAsPdf(zelpo.outputs);
        const QString elsewhere = outputOf("pdftotext", {pdf, "-"});
        QVERIFY2(elsewhere.contains("F. Nacimiento: 20/02/2021") &&
                     elsewhere.contains("corregida el 01/06/2023; almacenada en el archivo: "
                                        "14/02/2021"),
                 qPrintable(elsewhere));
    }

    void aFileHeldAtAnotherDeskPastTheWaitSendsNothingOut()
    {
        OpenHistory zelpo;
        // Held until the page has given up waiting for it.
        OtherDesk otherDesk(STORE_HELPER);
        QVERIFY2(otherDesk.hold(zelpo.folder.filePath("0004711M.CRV")),
                 "the other desk never locked the file");
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("retenido.pdf");
        saveChartAsPdf(zelpo.outputs);
        QVERIFY2(!QFile::exists(zelpo.dialogs.pathToChoose), "a page without its table was saved");
        QCOMPARE(zelpo.messages.shown().size(), 1);
        const QString told = zelpo.messages.shown().first().text;
        QVERIFY2(told.startsWith("No se pudieron leer las medidas almacenadas.\rPermiso denegado: "
                                 "el archivo 0004711M.CRV está en uso"),
                 qPrintable(told));
        QVERIFY(otherDesk.release());
    }

    void noOutputReplacesAPatientFile_data()
    {
        // 0 PDF, 1 printer's file, 2 spreadsheet, 3 the list of the folder's children
        QTest::addColumn<int>("output");
        QTest::addColumn<QString>("target");
        // null: nothing there; "->" for each link on the way to a history; "<->": links in a loop
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        const QByteArray history = "\"01/01/2020\"\r\n";
        const QString patientFiles[] = {"0004711M.CRV", "0000012V.CRV", "copia/0004711m.crv"};
        for (int output : {0, 1, 2, 3})
            for (const QString& target : patientFiles)
                QTest::addRow("%d over %s", output, qPrintable(target))
                    << output << target << history << true;
        const QByteArray corrections = "\"A|0003|03/05/20250000001200|07/12/2026|error\"\r\n";
        QTest::newRow("0 over 0004711M.COR") << 0 << "0004711M.COR" << corrections << true;
        QTest::newRow("2 over a copy") << 2 << "copia/0004711m.cor" << QByteArray() << true;
        QTest::newRow("corrections by another name") << 1 << "c.txt" << corrections << true;
        QTest::newRow("a correction without its reason")
            << 2 << "c.txt" << QByteArray("\"A|0003|03/05/20250000001200|07/12/2026|\"\r\n")
            << true;
        QTest::newRow("over another output") << 0 << "informe.pdf" << QByteArray("x") << false;
        QTest::newRow("Windows drops the dot") << 0 << "informe.crv." << QByteArray() << true;
        QTest::newRow("a history by another name") << 2 << "historia.txt" << history << true;
        QTest::newRow("a link to a history") << 1 << "enlace.pdf" << QByteArray("->") << true;
        QTest::newRow("the list by a link") << 3 << "enlace.csv" << QByteArray("->") << true;
        QTest::newRow("41 links") << 0 << "c.pdf" << QByteArray("->").repeated(41) << true;
        QTest::newRow("200 links") << 2 << "c.csv" << QByteArray("->").repeated(200) << true;
        QTest::newRow("a loop of links") << 1 << "c.pdf" << QByteArray("<-><->") << true;
        QTest::newRow("an unreadable history") << 0 << "ilegible.pdf" << history << true;
    }
    void noOutputReplacesAPatientFile()
    {
        QFETCH(int, output);
        QFETCH(QString, target);
        QFETCH(QByteArray, content);
        QFETCH(bool, refused);
        OpenHistory zelpo;
        const QString path = zelpo.folder.filePath(target);
        QDir(zelpo.folder.path()).mkdir("copia");
        // path → path~ → path~~ → … → the history, or back to path
        const int links = content.count('>');
        const QString history = links ? zelpo.folder.filePath("0004711M.CRV") : path;
        const QString end = content.startsWith('<') ? path : history;
        for (int link = 0; link < links; ++link)
            QVERIFY(QFile::link(link + 1 < links ? path + QString(link + 1, u'~') : end,
                                path + QString(link, u'~')));
        if (!links && !content.isNull() && !QFile::exists(path))
            QVERIFY(writeBytes(path, content));
        const QByteArray before = contentOf(history);
        if (target == "ilegible.pdf") // may be written, not read, while the command runs
            QFile::setPermissions(path, QFile::WriteOwner);
        zelpo.messages.clear();
        zelpo.dialogs.pathToChoose = zelpo.dialogs.printTo = path;
        const std::array<std::function<void()>, 4> commands{
            [&] { saveChartAsPdf(zelpo.outputs); }, [&] { printChart(zelpo.outputs); },
            [&] { exportWeighings(zelpo.outputs); },
            [&] { exportFolderList(zelpo.outputs, zelpo.dialogs, nullptr, "x"); }};
        std::optional<PermissionBitsEnforced> evenForRoot(std::in_place);
        commands[output]();
        evenForRoot.reset();
        QFile::setPermissions(history, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(contentOf(history) == before, refused);
        QCOMPARE(zelpo.messages.shown().size(), int(refused));
        const QString told = zelpo.messages.shown().value(0).text;
        QVERIFY2(!refused || (told.contains("se reemplaza") &&
                              told.contains(QDir::toNativeSeparators(zelpo.folder.path()))),
                 qPrintable(told));
    }

    void theSpreadsheetHoldsTheChildsWeighings()
    {
        OpenHistory zelpo;
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("medidas.csv");
        exportWeighings(zelpo.outputs);
        const QByteArray csv = contentOf(zelpo.dialogs.pathToChoose);
        QVERIFY2(
            csv.startsWith("\xEF\xBB\xBFHistoria;Sexo;Nacimiento;") &&
                csv.endsWith("0004711;Mujer;14/02/2021;14/02/2022;365;12;9800;P50–P75;+6;;bajó 2 "
                             "espacios de percentil desde el 16/04/2021\r\n"),
            csv.constData());
        QCOMPARE(csv.count("\r\n"), 1 + std::size(storedRows));
        QCOMPARE(zelpo.dialogs.offeredPaths.last(), zelpo.folder.filePath("home/0004711M.csv"));
    }

    void thePageAndTheCopyShowTheChildsOwnChart_data()
    {
        QTest::addColumn<bool>("varon");
        QTest::addColumn<QString>("sex");
        QTest::newRow("girl") << false << "Mujer";
        QTest::newRow("boy") << true << "Varón";
    }
    void thePageAndTheCopyShowTheChildsOwnChart()
    {
        QFETCH(bool, varon);
        QFETCH(QString, sex);
        OpenHistory zelpo(varon);
        const TwipRect chart = zelpo.look.chartPicture(varon ? ChartSex::Boys : ChartSex::Girls);
        const ChartPageContent page =
            chartPageSnapshot(zelpo.look, zelpo.history, zelpo.clock.today());
        QCOMPARE(page.sex, sex);
        QCOMPARE(page.picture, QRectF(chart.left, chart.top, chart.width, chart.height));
        QCOMPARE(page.storedWeighings->size(), qsizetype(std::size(storedRows)));
        // The copy shows the page's chart: the same markers and arrow, and no table.
        const ChartPageContent picture = chartPictureSnapshot(zelpo.look, zelpo.history);
        QCOMPARE(picture.markers.size(), 5);
        QVERIFY(picture.markers == page.markers && picture.arrow == page.arrow && page.arrow);
        QVERIFY(!picture.storedWeighings);

        copyChart(zelpo.outputs);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(twipsToPixels(chart.width), twipsToPixels(chart.height)) * 3);
        // Three times the window's 96 dots to the inch: it pastes at the window's size.
        QCOMPARE(QSize(copied.dotsPerMeterX(), copied.dotsPerMeterY()), QSize(11339, 11339));
        int red = 0;
        for (int y = 0; y < copied.height(); ++y)
            for (int x = 0; x < copied.width(); ++x)
                red += copied.pixelColor(x, y) == Qt::red;
        // Five markers, each a disc some 30 pixels across.
        QVERIFY2(red > 5 * 300, qPrintable(QString::number(red)));
    }

    void theFolderListIsWrittenAsTheWeighingsAre()
    {
        FolderChildRow early, held;
        early.historyNumber = "0002025";
        early.child = ChildKey{"2025", false};
        early.birthDate = QDate(2025, 1, 1);
        early.ageDays = 83;
        early.ageCorrected = true;
        early.weighed = QDate(2025, 4, 11);
        early.grams = 2500;
        early.band = "< P3";
        early.daysUnweighed = 51;
        held.historyNumber = "0000300";
        held.child = ChildKey{"300", true};
        held.note = "en uso en otro puesto";
        const QByteArray csv =
            folderListCsv({QDateTime(QDate(2024, 1, 15), QTime(10, 32, 59)), "/consultorio", 2, 3},
                          {early, held, unnamedFileRow("a;b.CRV")});
        QCOMPARE(csv, "\xEF\xBB\xBFNiños de la carpeta /consultorio, leída el 15/01/2024 a las "
                      "10:32 (lectura sin terminar: 2 de 3 archivos)\r\n"
                      "Historia;Sexo;Nacimiento;Edad;Última pesada;Peso (g);Percentil;Ganancia "
                      "(g/día);Para revisar;Días sin pesar;Observaciones\r\n"
                      "0002025;Mujer;01/01/2025;2 meses (corregida);11/04/2025;2500;< P3;;;51;\r\n"
                      "0000300;Varón;;;;;;;;;en uso en otro puesto\r\n"
                      ";;;;;;;;;;\"El nombre del archivo a;b.CRV no es el de un archivo de "
                      "paciente (siete cifras, V o M y .CRV): no se lee.\"\r\n");
        OpenHistory zelpo;
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("lista.csv");
        exportFolderList(zelpo.outputs, zelpo.dialogs, nullptr, csv);
        QCOMPARE(contentOf(zelpo.dialogs.pathToChoose), csv);
        QCOMPARE(zelpo.dialogs.offeredPaths.last(),
                 zelpo.folder.filePath("home/Niños de la carpeta.csv"));
    }

    void aFailingSaveIsToldAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << "no existe/zelpo.pdf";
        QTest::newRow("a folder where the file should be") << "carpeta";
    }
    void aFailingSaveIsToldAndLeavesNoFile()
    {
        QFETCH(QString, path);
        OpenHistory zelpo;
        QDir(zelpo.folder.path()).mkdir("carpeta");
        // A temporary file would lie beside its target, in the test's folder or nowhere.
        const auto entries = [&] {
            return QDir(zelpo.folder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        zelpo.messages.clear();
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath(path);
        saveChartAsPdf(zelpo.outputs);
        QCOMPARE(zelpo.messages.shown().size(), 1);
        QVERIFY(zelpo.messages.shown().first().text.startsWith(
            "No se pudo guardar el gráfico en el archivo\r" + zelpo.dialogs.pathToChoose));
        QCOMPARE(zelpo.messages.shown().first().style, MessageStyle::OkStop);
        QCOMPARE(entries(), before);
    }

    // Saved and printed to a file alike: the page over an earlier one on a disk that fills
    // before, while or after the PDF writer fills its buffer.
    void aFullDiskKeepsTheEarlierPdfAndSaysSo()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("informe.pdf");
        QVERIFY(writeBytes(pdf, "earlier"));
        for (const qint64 room : {0, 100, 20000, 64 * 1024}) {
            const MaybeFailure full =
                saveChartPdf(pdf, {}, QPageSize(QPageSize::A4), FullDiskDraft::withRoomFor(room));
            QVERIFY2(full && full->code == DiskFull && full->description.startsWith("Disco lleno"),
                     full ? qPrintable(full->description) : "no failure");
            QCOMPARE(contentOf(pdf), QByteArray("earlier"));
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"informe.pdf"});
        QVERIFY(!saveChartPdf(pdf, {}, QPageSize(QPageSize::A4), FullDiskDraft::withRoomFor(1e9)));
        QVERIFY(contentOf(pdf).startsWith("%PDF") && contentOf(pdf).trimmed().endsWith("%%EOF"));
    }
};

QTEST_MAIN(ChartOutputsTest)
#include "tst_chart_outputs.moc"
