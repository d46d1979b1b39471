// The chart window's wiring: each control event reaches its handler, and only its own.

#include "app/ChartWindowEvents.h"
#include "core/HelpText.h"
#include "core/MakerContact.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryLoader.h"
#include "support/FixedClock.h"
#include "support/RecordingAddressOpener.h"
#include "support/ScriptedMessageService.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QString rangeMessage =
    QStringLiteral("Este valor ingresado está fuera de los rangos permitidos para graficar.");

struct WiredWindow
{
    QTemporaryDir folder;
    PerZelpo window;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2021, 3, 3)};
    RecordingAddressOpener addresses;
    int endings = 0;
    zelpo::ChildHistory history{folder.path(), childNamedByBoxes(window)};
    ChartView view;
    ChartWindowEvents events{
        window, {messages, clock, addresses, history, view}, [this] { ++endings; }};

    WiredWindow()
    {
        QDir::setCurrent(folder.path());
        window.show();
    }
    QStringList texts() const
    {
        QStringList shown;
        for (const auto& message : messages.shown())
            shown << message.text;
        return shown;
    }
};

} // namespace

class ChartWindowEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void clicksReachTheirHandlers()
    {
        WiredWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));

        QTest::mouseClick(w.window.Command2(), Qt::LeftButton);
        QCOMPARE(w.texts(), QStringList{zelpo::helpText()});

        QTest::mouseClick(w.window.Label4(), Qt::LeftButton);
        QTest::mouseClick(w.window.Label8(), Qt::LeftButton);
        QCOMPARE(w.addresses.opened(),
                 (QStringList{QString::fromUtf16(kMakerWebAddress),
                              QStringLiteral("mailto:") + QString::fromUtf16(kMakerMailAddress)}));

        w.window.Text2()->setText(QStringLiteral("14/02/2021"));
        w.window.Text1()->setText(QStringLiteral("3950"));
        w.messages.answerNext(MessageAnswer::No);
        QTest::mouseClick(w.window.Command1(), Qt::LeftButton);
        QVERIFY2(!w.window.sh(0)->isHidden(), "Graficar plotted no marker");

        // Either sex option loads that child's history: here none, so the chart is cleared.
        QTest::mouseClick(w.window.Option1(1), Qt::LeftButton);
        QVERIFY2(w.window.sh(0)->isHidden(), "choosing Mujer did not clear the chart");
        QVERIFY(!w.window.Image3()->isHidden());
        QCOMPARE(w.window.Text2()->text(), QString());

        QCOMPARE(w.endings, 0);
        QTest::mouseClick(w.window.Command3(), Qt::LeftButton);
        QCOMPARE(w.endings, 1);
    }

    void thePointerDrivesTheReadout()
    {
        WiredWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QTest::mouseMove(w.window.Image4(), QPoint(200, 190));
        QTRY_VERIFY(!w.window.Line2()->isHidden());
        QVERIFY(w.window.Label5()->text().startsWith(QStringLiteral("Zelpo : ")));
        QTest::mouseMove(w.window.Image1(), QPoint(10, 10));
        QTRY_VERIFY(w.window.Line2()->isHidden());
        QCOMPARE(w.window.Label5()->text(), QString());
    }

    void leavingTheWeightBoxByTabRefusesTheWeightWithoutLoadingAHistory()
    {
        WiredWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        // Leaving the history-number box, where the focus starts, finds no history for "0".
        w.window.Text1()->setFocus();
        QTRY_VERIFY(w.window.Text2()->hasFocus());
        w.window.Text2()->setText(QStringLiteral("14/02/2021"));
        w.window.Text1()->setFocus();
        QTRY_VERIFY(w.window.Text1()->hasFocus());
        QTest::keyClicks(w.window.Text1(), QStringLiteral("150"));
        // Tab leads from the weight box to the history number, whose leaving loads a history.
        QTest::keyClick(w.window.Text1(), Qt::Key_Tab);
        QCOMPARE(w.texts(), QStringList{rangeMessage});
        QCOMPARE(QApplication::focusWidget(), w.window.Text1());
        QCOMPARE(w.window.Text2()->text(), QStringLiteral("14/02/2021"));

        // Enter in the weight box is "Graficar", weight check included; F1 is the help of "?".
        w.window.Text1()->setText(QStringLiteral("150"));
        QTest::keyClick(w.window.Text1(), Qt::Key_Return);
        w.window.Text1()->setText(QStringLiteral("3950"));
        w.messages.answerNext(MessageAnswer::No);
        QTest::keyClick(w.window.Text1(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY2(!w.window.sh(0)->isHidden(), "Enter on the keypad plotted no weighing");
        QTest::keyClick(w.window.Text1(), Qt::Key_F1);
        QCOMPARE(w.texts(),
                 (QStringList{rangeMessage, rangeMessage,
                              "Almacena las medidas tomadas al paciente", zelpo::helpText()}));
        w.window.Text1()->clear();

        // A real departure from the history-number box still loads.
        QTest::keyClicks(w.window.Text1(), QStringLiteral("3950"));
        QTest::keyClick(w.window.Text1(), Qt::Key_Tab);
        QTRY_VERIFY(w.window.Text3()->hasFocus());
        QTest::keyClick(w.window.Text3(), Qt::Key_Tab);
        QTRY_VERIFY2(w.window.Text2()->hasFocus(), "leaving the history number did not load it");
        QCOMPARE(w.window.Text2()->text(), QString());
    }

    void patientFilesStayInTheProgramFolderWhateverTheCurrentOne()
    {
        WiredWindow w;
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        w.window.Text3()->setText(QStringLiteral("4711"));
        w.events.Text3_LostFocus();
        w.window.Text2()->setText(QStringLiteral("14/02/2021"));
        w.window.Text1()->setText(QStringLiteral("3950"));
        w.events.Command1_Click();
        QVERIFY2(QFile::exists(w.folder.filePath("0004711V.CRV")),
                 "not stored in the folder given");
        QVERIFY2(QDir(elsewhere.path()).isEmpty(), "a patient file went to the current folder");
        w.events.Text3_LostFocus();
        QVERIFY2(!w.window.Text2()->isEnabled(), "the stored history was not loaded back");
    }

    // "Graficar" takes no focus, so the number typed is still unlooked-up when it is clicked:
    // it is loaded, once, and nothing is plotted or stored yet.
    void graficarLoadsANumberTypedButNotYetLoadedAndStops()
    {
        WiredWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QVERIFY(writeBytes("0004711V.CRV", "\"14/02/2021\"\r\n"));
        const auto typeAndGraficar = [&w](const QString& history) {
            w.messages.clear();
            w.window.Text3()->setFocus();
            w.window.Text3()->setText(history);
            w.window.Text1()->setText(QStringLiteral("3950"));
            QTest::mouseClick(w.window.Command1(), Qt::LeftButton);
        };
        typeAndGraficar(QStringLiteral("4711"));
        QCOMPARE(w.texts(), QStringList{QStringLiteral("Este paciente posee datos almacenados")});
        QCOMPARE(w.window.Text2()->text(), QStringLiteral("14/02/2021"));
        // The next child: 4711's birth date is still in the locked box until 4712 is loaded.
        typeAndGraficar(QStringLiteral("4712"));
        QCOMPARE(w.texts(), QStringList());
        QVERIFY(w.window.Text2()->text().isEmpty() && w.window.Text2()->isEnabled());
        QVERIFY2(!QFile::exists(QStringLiteral("0004712V.CRV")), "filed under 4711's birth date");
    }

    void aSexClickedWhileTheHistoryIsAnnouncedIsNotLost()
    {
        WiredWindow w;
        for (const char* name : {"0004711V.CRV", "0004711M.CRV"})
            QVERIFY(writeBytes(name, "\"14/02/2021\"\r\n"));
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.window.Text3()->setText(QStringLiteral("4711"));
        // The button is let go while the announcement of the boy's file, shown on leaving the
        // history box for "Mujer", is open.
        const QPoint mujer = w.window.Option1(1)->geometry().center();
        int boxes = 0;
        w.messages.onShow = [&] {
            if (boxes++ == 0)
                QTest::mouseRelease(w.window.windowHandle(), Qt::LeftButton, {}, mujer);
        };
        QTest::mousePress(w.window.windowHandle(), Qt::LeftButton, {}, mujer);
        QVERIFY2(w.window.Option1(1)->isChecked(), "the click on \"Mujer\" was lost");
        QVERIFY2(!w.window.Option1(1)->isDown(), "\"Mujer\" is left drawn pressed");
        QCOMPARE(w.texts().size(), 2); // the girl's file is announced and loaded too
        QVERIFY(!w.window.Image3()->isHidden());
    }
};

QTEST_MAIN(ChartWindowEventsTest)
#include "tst_chart_window_events.moc"
