// The chart printed and saved as a PDF: the window's child on the page as poppler reads it back,
// failing saves, the right-click menu and the shortcuts.

#include "PrintableWindow.h"
#include "app/ChartOutputs.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace zelpo;

class ChartOutputsTest : public QObject
{
    Q_OBJECT

private slots:
    void pageShowsTheWindowsChildAndItsStoredWeighings()
    {
        PrintableWindow zelpo;
        const QString pdf = zelpo.folder.filePath(QStringLiteral("gráfico 4711.pdf"));
        zelpo.dialogs.pathToChoose = pdf;
        zelpo.printing.saveChartAsPdf();
        const QString text = run("pdftotext", {"-layout", pdf, "-"});
        for (const QString expected :
             {"Nº H.Clínica: 0004711", "Sexo: Mujer", "F. Nacimiento: 14/02/2021",
              "Fecha de impresión: 01/06/2023"})
            QVERIFY2(text.contains(expected), qPrintable(expected + " missing from:\n" + text));
        for (const QStringList& row : storedRows)
            QVERIFY2(text.contains(QRegularExpression(
                         QRegularExpression::escape(row.join(' ')).replace("\\ ", "\\s+"))),
                     qPrintable(row.join(' ')));
        QVERIFY2(!text.contains("12000"), "a weighing that was not stored is in the table");

        // A birth date corrected in the box since the first store: the page names the file's.
        QVERIFY2(!text.contains("almacenada:"), "a stored birth date told though it is the same");
        zelpo.window.Text2()->setText("01/03/2021");
        zelpo.printing.saveChartAsPdf();
        const QString corrected = run("pdftotext", {pdf, "-"});
        QVERIFY2(corrected.contains("F. Nacimiento: 01/03/2021") &&
                     corrected.contains("Fecha de nacimiento almacenada: 14/02/2021"),
                 qPrintable(corrected));

        // Corrected at another desk since: the history says which date is which, not the box.
        QVERIFY(writeBytes(zelpo.folder.filePath("0004711M.COR"),
                           "\"N|0000|20/02/2021|01/06/2023|mal copiada\"\r\n"));
        zelpo.printing.saveChartAsPdf();
        const QString elsewhere = run("pdftotext", {pdf, "-"});
        QVERIFY2(elsewhere.contains("F. Nacimiento: 20/02/2021") &&
                     elsewhere.contains("corregida el 01/06/2023; almacenada en el archivo: "
                                        "14/02/2021"),
                 qPrintable(elsewhere));
    }

    void restingOnAMarkerTellsWhereItsWeighingStands()
    {
        PrintableWindow zelpo;
        QVERIFY(QTest::qWaitForWindowExposed(&zelpo.window));
        const auto restOn = [&zelpo](int marker) {
            const QPoint centre = zelpo.window.sh(marker)->geometry().center();
            QHelpEvent rest(QEvent::ToolTip, zelpo.window.Image3()->mapFrom(&zelpo.window, centre),
                            zelpo.window.mapToGlobal(centre));
            QApplication::sendEvent(zelpo.window.Image3(), &rest);
            return QToolTip::text();
        };
        QCOMPARE(restOn(1), "16/03/2021 · 6000 g · 30 días (0 meses) · > P97 · +158 g/día");
        // Plotted, not stored: its own values, its gain since the last weighing stored.
        QCOMPARE(restOn(4), "01/06/2023 · 12000 g · 837 días (27 meses) · P25–P50 · +5 g/día");

        // Stored under a birth date corrected in the box, another desk appending just after and
        // its record read since: the marker tells its own grams, at the age it is drawn at.
        zelpo.window.Text2()->setEnabled(true);
        zelpo.window.Text2()->setText("01/03/2021");
        zelpo.window.Text1()->setText("9000.7");
        zelpo.messages.answerNext(MessageAnswer::Yes);
        zelpo.events.Command1_Click();
        QFile file(zelpo.folder.filePath("0004711M.CRV"));
        QVERIFY(file.open(QIODevice::Append) && file.write("\"01/06/20230000011111\"\r\n") == 24);
        file.close();
        zelpo.printing.exportWeighings();
        QCOMPARE(restOn(5),
                 "01/06/2023 · 9000 g · 822 días (27 meses) · < P3 · -2 g/día · 837 días "
                 "según la fecha de nacimiento almacenada (14/02/2021)");
    }

    void aFileHeldAtAnotherDeskIsWaitedForOnceAndNothingGoesOutWithoutIt()
    {
        PrintableWindow zelpo;
        QProcess otherDesk;
        otherDesk.start(STORE_HELPER, {"hold", zelpo.folder.filePath("0004711M.CRV"), "7000"});
        QVERIFY2(otherDesk.waitForReadyRead(10000), "the other desk never locked the file");
        zelpo.messages.clear();
        zelpo.window.Text1()->setText("9000");
        zelpo.messages.answerNext(MessageAnswer::Yes);
        QElapsedTimer clock;
        clock.start();
        zelpo.events.Command1_Click();
        // One wait for the store; the marker is placed from the history already read.
        QVERIFY2(clock.elapsed() < 2 * zelpo::otherDeskWait.count() - 1000,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!zelpo.window.sh(5)->isHidden());
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("retenido.pdf");
        zelpo.printing.saveChartAsPdf();
        QVERIFY2(!QFile::exists(zelpo.dialogs.pathToChoose), "a page without its table was saved");
        const QStringList told = [&] {
            QStringList texts;
            for (const auto& message : zelpo.messages.shown())
                texts << message.text;
            return texts;
        }();
        QCOMPARE(told.size(), 3);
        QVERIFY2(told[1].contains("0004711M.CRV está en uso en otro puesto") &&
                     told[2].startsWith("No se pudieron leer las medidas almacenadas.\rPermiso "
                                        "denegado: el archivo 0004711M.CRV está en uso"),
                 qPrintable(told.join('\n')));
        QVERIFY(otherDesk.waitForFinished(10000));
    }

    void noOutputReplacesAPatientFile_data()
    {
        QTest::addColumn<int>("output"); // 0 PDF, 1 printer's file, 2 spreadsheet
        QTest::addColumn<QString>("target");
        // null: nothing there; "->" for each link on the way to a history; "<->": links in a loop
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("refused");
        const QByteArray history = "\"01/01/2020\"\r\n";
        const QString patientFiles[] = {"0004711M.CRV", "0000012V.CRV", "copia/0004711m.crv"};
        for (int output : {0, 1, 2})
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
        PrintableWindow zelpo;
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
        const std::array<void (ChartOutputs::*)(), 3> commands{&ChartOutputs::saveChartAsPdf,
                                                               &ChartOutputs::printChart,
                                                               &ChartOutputs::exportWeighings};
        std::optional<PermissionBitsEnforced> evenForRoot(std::in_place);
        (zelpo.printing.*commands[output])();
        evenForRoot.reset();
        QFile::setPermissions(history, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(contentOf(history) == before, refused);
        QCOMPARE(zelpo.messages.shown().size(), int(refused));
        const QString told = zelpo.messages.shown().value(0).text;
        QVERIFY2(!refused || (told.contains("se reemplaza") &&
                              told.contains(QDir::toNativeSeparators(zelpo.folder.path()))),
                 qPrintable(told));
    }

    void theSpreadsheetAndTheCopyHoldTheChildsWeighings()
    {
        PrintableWindow zelpo;
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("medidas.csv");
        zelpo.printing.exportWeighings();
        const QByteArray csv = contentOf(zelpo.dialogs.pathToChoose);
        QVERIFY2(
            csv.startsWith("\xEF\xBB\xBFHistoria;Sexo;Nacimiento;") &&
                csv.endsWith("0004711;Mujer;14/02/2021;14/02/2022;365;12;9800;P50–P75;+6;\r\n"),
            csv.constData());
        QCOMPARE(csv.count("\r\n"), 1 + std::size(storedRows));
        QCOMPARE(zelpo.dialogs.offeredPaths.last(), zelpo.folder.filePath("home/0004711M.csv"));

        zelpo.printing.copyChart();
        const QImage copied = QGuiApplication::clipboard()->image();
        QVERIFY(copied.width() >= 2 * zelpo.window.Image3()->width());
        // Three times the window's 96 dots to the inch: it pastes at the window's size.
        QCOMPARE(QSize(copied.dotsPerMeterX(), copied.dotsPerMeterY()), QSize(11339, 11339));
        int red = 0;
        for (int y = 0; y < copied.height(); ++y)
            for (int x = 0; x < copied.width(); ++x)
                red += copied.pixelColor(x, y) == Qt::red;
        // Five markers, each a disc some 30 pixels across.
        QVERIFY2(red > 5 * 300, qPrintable(QString::number(red)));
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
        PrintableWindow zelpo;
        QDir(zelpo.folder.path()).mkdir("carpeta");
        // A temporary file would lie beside its target, in the test's folder or nowhere.
        const auto entries = [&] {
            return QDir(zelpo.folder.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList before = entries();
        zelpo.messages.clear();
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath(path);
        zelpo.printing.saveChartAsPdf();
        QCOMPARE(zelpo.messages.shown().size(), 1);
        QVERIFY(zelpo.messages.shown().first().text.startsWith(
            "No se pudo guardar el gráfico en el archivo\r" + zelpo.dialogs.pathToChoose));
        QCOMPARE(zelpo.messages.shown().first().style, MessageStyle::OkStop);
        QCOMPARE(entries(), before);
    }

    void rightClickOnTheChartOffersBothAndLeavesTheReadout()
    {
        PrintableWindow zelpo;
        QWindow* window = zelpo.window.windowHandle();
        // On a marker, which lets the pointer through to the picture, and on the arrow.
        for (QWidget* over : QList<QWidget*>{zelpo.window.sh(0), zelpo.window.Image2()}) {
            const QPoint at = over->mapTo(&zelpo.window, QPoint(4, 4));
            QTest::mouseMove(window, at);
            const QString readout = zelpo.window.Label5()->text();
            const QRect lineAt = zelpo.window.Line2()->geometry();
            QStringList offered;
            QTimer::singleShot(0, [&offered] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (QAction* action : menu ? menu->actions() : QList<QAction*>())
                    offered << action->text() + ' ' + action->shortcut().toString();
                if (menu)
                    menu->close();
            });
            QTest::mouseClick(window, Qt::RightButton, {}, at);
            QCOMPARE(
                offered,
                QStringList({"Imprimir el gráfico… Ctrl+P", "Guardar el gráfico como PDF… Ctrl+S",
                             "Exportar las medidas (CSV)… Ctrl+Shift+E", "Copiar el gráfico ",
                             "Medidas almacenadas… Ctrl+Shift+M"}));
            QCOMPARE(zelpo.window.Label5()->text(), readout);
            QCOMPARE(zelpo.window.Line2()->geometry(), lineAt);
        }
    }

    void shortcutsPrintAndSaveFromAnywhereInTheWindow()
    {
        PrintableWindow zelpo;
        QVERIFY(QTest::qWaitForWindowActive(&zelpo.window));
        const QString home = zelpo.folder.filePath("home");
        QTest::keyClick(zelpo.window.Text1(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(zelpo.dialogs.offeredPaths.size(), 1);
        QDir().mkpath(home + "/Documents");
        // A number typed but not looked up is loaded first, and only the next command saves or
        // prints: the page never shows 4711's birth date and markers under another number.
        zelpo.window.Text3()->setText("0");
        QTest::keyClick(zelpo.window.Text3(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&zelpo.window, Qt::Key_S, Qt::ControlModifier);
        zelpo.dialogs.printTo = zelpo.folder.filePath("impreso.pdf");
        QTest::keyClick(&zelpo.window, Qt::Key_P, Qt::ControlModifier);
        QTRY_VERIFY(run("pdftotext", {zelpo.dialogs.printTo, "-"}).contains("GRAFICO DE ZELPO"));
        QCOMPARE(zelpo.messages.shown().last().text,
                 "El gráfico se imprimió en el archivo\r" + zelpo.dialogs.printTo);
        QVERIFY(
            run("pdftotext", {zelpo.dialogs.printTo, "-"}).contains("F. Nacimiento: sin fecha"));
        QCOMPARE(zelpo.dialogs.offeredPaths,
                 QStringList({home + "/0004711M.pdf", home + "/Documents/zelpo.pdf",
                              home + "/Documents/zelpo.pdf"}));

        // With no printer at all, the PDF is offered instead.
        zelpo.dialogs.noPrinter = true;
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("sin impresora.pdf");
        zelpo.messages.answerNext(MessageAnswer::Yes);
        zelpo.printing.printChart();
        QCOMPARE(zelpo.messages.shown().last().text,
                 "No hay ninguna impresora instalada en este equipo.\r\r¿Desea guardar el "
                 "gráfico como PDF?");
        QVERIFY(QFile::exists(zelpo.dialogs.pathToChoose));
    }
};

QTEST_MAIN(ChartOutputsTest)
#include "tst_chart_printing.moc"
