// The chart window's menu, its shortcuts and the markers' tooltips: what a right click, a key and
// a pointer resting on the chart reach.

#include "PrintableWindow.h"
#include "core/ChartScale.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/Picture.h"
#include "outputs/PdfChart.h"
#include "outputs/PrintedChart.h"
#include "outputs/WeighingsSpreadsheet.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace zelpo;

class ChartMenuTest : public QObject
{
    Q_OBJECT

private slots:
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
        // In the first two years the marker moves, and its tooltip with it.
        zelpo.view.setFirstTwoYears(true);
        QCOMPARE(restOn(2), "16/04/2021 · 8000 g · 61 días (2 meses) · > P97 · +65 g/día");
        zelpo.view.setFirstTwoYears(false);
        // Plotted, not stored: its own values, its gain since the last weighing stored.
        // Plotted, not stored, read for review after the stored history.
        QCOMPARE(restOn(4), "01/06/2023 · 12000 g · 837 días (27 meses) · P25–P50 · +5 g/día · "
                            "para revisar: bajó 3 espacios de percentil desde el 16/04/2021");

        // Stored under another birth date forced into the box, another desk appending just after
        // and its record read since: the marker tells its own grams, at the age counted from the
        // stored birth date, as every age is.
        zelpo.window.Text2()->setEnabled(true);
        zelpo.window.Text2()->setText("01/03/2021");
        zelpo.window.Text1()->setText("9000.7");
        zelpo.messages.answerNext(MessageAnswer::Yes);
        zelpo.events.Command1_Click();
        QFile file(zelpo.folder.filePath("0004711M.CRV"));
        QVERIFY(file.open(QIODevice::Append) && file.write("\"01/06/20230000011111\"\r\n") == 24);
        file.close();
        exportWeighings(zelpo.outputs);
        QCOMPARE(restOn(5), "01/06/2023 · 9000 g · 837 días (27 meses) · < P3 · -2 g/día · para "
                            "revisar: bajó 5 espacios de percentil desde el 16/04/2021; por debajo "
                            "de P3");
    }

    void rightClickOnTheChartOffersBothAndLeavesTheReadout()
    {
        PrintableWindow zelpo;
        QWindow* window = zelpo.window.windowHandle();
        // On a marker, which lets the pointer through to the picture, and on the arrow.
        for (const QPoint& at : {zelpo.window.sh(0)->geometry().topLeft() + QPoint(4, 4),
                                 zelpo.window.Image2()->pos() + QPoint(4, 4)}) {
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
                             "Medidas almacenadas… Ctrl+Shift+M",
                             "Niños de la carpeta… Ctrl+Shift+L", "Primeros dos años Ctrl+2"}));
            QCOMPARE(zelpo.window.Label5()->text(), readout);
            QCOMPARE(zelpo.window.Line2()->geometry(), lineAt);
        }
    }

    void theFolderListOpensAChildInTheChartByKeyboard()
    {
        PrintableWindow zelpo;
        QVERIFY(writeBytes("0000052V.CRV", "\"29/10/2022\"\r\n\"28/10/20240000013100\"\r\n"));
        QVERIFY(QTest::qWaitForWindowActive(&zelpo.window));
        QTest::keyClick(zelpo.window.Text1(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QDialog* list = nullptr;
        QTRY_VERIFY((list = zelpo.window.findChild<QDialog*>()) && list->isActiveWindow());
        QCOMPARE(list->windowTitle(), "Niños de la carpeta — Zelpo");
        auto* table = list->findChild<QTableView*>();
        QTRY_COMPARE(table->model()->rowCount(), 2);
        // Every control a screen reader meets has a name.
        for (QWidget* control : list->findChildren<QWidget*>()) {
            if (control->focusPolicy() & Qt::TabFocus)
                QVERIFY2(!QAccessible::queryAccessibleInterface(control)
                              ->text(QAccessible::Name)
                              .isEmpty(),
                         control->metaObject()->className());
        }
        // Alt+H to the number, Enter to its row, Enter to the chart.
        QTest::keyClick(list, Qt::Key_H, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "52");
        QTRY_COMPARE(table->model()->rowCount(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(zelpo.window.Text3()->text(), "52");
        QVERIFY(zelpo.window.Option1(0)->isChecked());
        QCOMPARE(zelpo.window.Text2()->text(), "29/10/2022");
        QCOMPARE(zelpo.messages.shown().last().text, "Este paciente posee datos almacenados");
        QTRY_VERIFY(zelpo.window.isActiveWindow());
        // The shortcut brings the list to the front again.
        QTest::keyClick(zelpo.window.Text1(), Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(list->isActiveWindow());
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
        QTRY_VERIFY(
            outputOf("pdftotext", {zelpo.dialogs.printTo, "-"}).contains("GRAFICO DE ZELPO"));
        QCOMPARE(zelpo.messages.shown().last().text,
                 "El gráfico se imprimió en el archivo\r" + zelpo.dialogs.printTo);
        QVERIFY(outputOf("pdftotext", {zelpo.dialogs.printTo, "-"})
                    .contains("F. Nacimiento: sin fecha"));
        QCOMPARE(zelpo.dialogs.offeredPaths,
                 QStringList({home + "/0004711M.pdf", home + "/Documents/zelpo.pdf",
                              home + "/Documents/zelpo.pdf"}));

        // With no printer at all, the PDF is offered instead.
        zelpo.dialogs.noPrinter = true;
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("sin impresora.pdf");
        zelpo.messages.answerNext(MessageAnswer::Yes);
        printChart(zelpo.outputs);
        QCOMPARE(zelpo.messages.shown().last().text,
                 "No hay ninguna impresora instalada en este equipo.\r\r¿Desea guardar el "
                 "gráfico como PDF?");
        QVERIFY(QFile::exists(zelpo.dialogs.pathToChoose));
    }

    void ctrl2ShowsTheFirstTwoYearsEverywhereAndTheWholeChartAgainPixelForPixel()
    {
        PrintableWindow zelpo;
        QVERIFY(QTest::qWaitForWindowActive(&zelpo.window));
        QTest::mouseMove(zelpo.window.windowHandle(), zelpo.window.sh(1)->geometry().center());
        const QString readout = zelpo.window.Label5()->text();
        const QImage whole = zelpo.window.grab().toImage();
        QTest::keyClick(&zelpo.window, Qt::Key_2, Qt::ControlModifier);
        QTRY_VERIFY(zelpo.view.showsFirstTwoYears() && zelpo.window.actions().last()->isChecked());
        // The cross-hair stays; what it stands on is read on the view's scales.
        QVERIFY(zelpo.window.Label5()->text().startsWith("Zelpo : 003") && !readout.isEmpty());
        // The weighing plotted today, at 837 days, is left out, and the arrow with it.
        QCOMPARE(zelpo.window.Label9()->text(), "Primeros dos años: 1 medida fuera de la vista");
        QVERIFY(zelpo.window.sh(4)->isHidden() && zelpo.window.Image2()->isHidden());
        // The page shows the view: its title, its chart and its markers.
        const MarkerPosition at =
            markerPlacement({3405, 435, 5445, 5625}, 150, 135, 30, 6000, firstTwoYears);
        QCOMPARE(zelpo.outputs.page().markers.value(1), QRectF(at.left, at.top, 150, 135));
        zelpo.dialogs.pathToChoose = zelpo.folder.filePath("dos años.pdf");
        saveChartAsPdf(zelpo.outputs);
        const QString page = outputOf("pdftotext", {zelpo.dialogs.pathToChoose, "-"});
        QVERIFY2(page.contains("GRAFICO DE ZELPO — Primeros dos años") &&
                     page.contains("Edad, meses"),
                 qPrintable(page));
        QVERIFY(zelpo.window.grab().toImage() != whole);

        QTest::keyClick(&zelpo.window, Qt::Key_2, Qt::ControlModifier);
        QTRY_VERIFY(!zelpo.view.showsFirstTwoYears());
        QCOMPARE(zelpo.window.grab().toImage(), whole);
    }
};

QTEST_MAIN(ChartMenuTest)
#include "tst_chart_menu.moc"
