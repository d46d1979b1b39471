#include "core/ChartScale.h"
#include "forms/FormLabel.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "look/ChartLook.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryLoader.h"
#include "procedures/HistoryOnChart.h"
#include "procedures/PlotCommand.h"
#include "support/FixedClock.h"
#include "support/ScriptedMessageService.h"
#include "support/TestFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QString entryMessage = "Error, debe escribir correctamente la fecha de nacimiento "
                             "(dd/mm/aaaa) y el zelpo (en Gramos) del paciente !";
const QString rangeMessage =
    "Este valor ingresado está fuera de los rangos permitidos para graficar.";
const QString storeQuestion = "Almacena las medidas tomadas al paciente";
const QString historyMessage =
    "Si desea almacenar este dato ingresado, deberá primero otorgarle al programa un número de "
    "historia clínica al paciente para así poder seguir la evolución de zelpo en otra "
    "oportunidad";
const QByteArray firstStore = "\"14/02/2021\"\r\n\"03/03/20210000003950\"\r\n";

// The chart window on 03/03/2021, in a folder of its own that the program takes as its own.
struct Desk
{
    QTemporaryDir folder;
    PerZelpo window;
    ScriptedMessageService messages;
    FixedClock clock{QDate(2021, 3, 3)};
    // As the program opens it: the child the boxes name, the box's 0.
    zelpo::ChildHistory history{folder.path(), childNamedByBoxes(window)};
    ChartView view;
    HistoryOnChart chart{window, history, view};
    PlotCommand plot{window, history, messages, clock};

    Desk() { QDir::setCurrent(folder.path()); }
    void graficar(const QString& birthDate, const QString& weight,
                  MessageAnswer answer = MessageAnswer::Yes)
    {
        window.Text2()->setText(birthDate);
        window.Text1()->setText(weight);
        messages.answerNext(answer);
        // As the window's wiring does, the child the boxes name is looked up before "Graficar".
        if (!history.isLookedUp(window.Text3()->text()) ||
            history.key().varon != window.varonSelected())
            history.load(childNamedByBoxes(window));
        plot.Command1_Click();
    }
    QStringList texts() const
    {
        QStringList shown;
        for (const auto& message : messages.shown())
            shown << message.text;
        return shown;
    }
    int visibleMarkers() const
    {
        int count = 0;
        for (int index = 0; index < 108; ++index)
            count += window.sh(index)->isHidden() ? 0 : 1;
        return count;
    }
    bool markerAt(int index, double ageDays, double grams) const
    {
        const Shape* frame = window.Shape2();
        const zelpo::MarkerPosition expected = zelpo::markerPlacement(
            {frame->twipLeft(), frame->twipTop(), frame->twipWidth(), frame->twipHeight()}, 150,
            135, ageDays, grams);
        const Marker* marker = window.sh(index);
        return !marker->isHidden() && marker->twipLeft() == expected.left &&
               marker->twipTop() == expected.top;
    }
    bool arrowOn(int index) const
    {
        return !window.Image2()->isHidden() &&
               window.Image2()->twipLeft() == window.sh(index)->twipLeft() &&
               window.Image2()->twipTop() == window.sh(index)->twipTop();
    }
};

} // namespace

class PlotCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void bothChecksAdmitTheBoundsAndRefuseJustBeyond_data()
    {
        QTest::addColumn<QString>("weight");
        QTest::addColumn<bool>("admitted");
        QTest::newRow("300") << "300" << true;
        QTest::newRow("30000") << "30000" << true;
        QTest::newRow("299.9") << "299.9" << false;
        QTest::newRow("30000.1") << "30000.1" << false;
    }
    void bothChecksAdmitTheBoundsAndRefuseJustBeyond()
    {
        QFETCH(QString, weight);
        QFETCH(bool, admitted);
        Desk leaving;
        leaving.window.Text1()->setText(weight);
        leaving.plot.Text1_LostFocus();
        QCOMPARE(leaving.texts(), admitted ? QStringList() : QStringList{rangeMessage});
        QCOMPARE(leaving.window.Text1()->text(), admitted ? weight : QString());

        Desk plotting;
        if (admitted) {
            // Both bounds lie far off the curves at 17 days: asked about first, and No leaves
            // the weight selected to be typed again, nothing stored or plotted.
            plotting.graficar("14/02/2021", weight, MessageAnswer::No);
            QCOMPARE(plotting.messages.shown().last().style, MessageStyle::YesNoExclamation);
            QVERIFY(plotting.visibleMarkers() == 0 && QDir().isEmpty());
            QCOMPARE(plotting.window.Text1()->selectedText(), weight);
            plotting.messages.clear();
            plotting.messages.answerNext(MessageAnswer::Yes);
        }
        plotting.graficar("14/02/2021", weight, MessageAnswer::No);
        QCOMPARE(plotting.texts().last(), admitted ? storeQuestion : rangeMessage);
        QCOMPARE(plotting.visibleMarkers(), admitted ? 1 : 0);
        QCOMPARE(plotting.window.Text1()->text(), admitted ? weight : QString());
    }

    void unreadableEntriesGiveTheEntryMessageOnly_data()
    {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("weight");
        QTest::addColumn<bool>("refusedOnLeaving"); // the weight alone, when its box is left
        QTest::newRow("empty weight") << "14/02/2021"
                                      << "" << false;
        QTest::newRow("weight not a number") << "14/02/2021"
                                             << "3950g" << false;
        QTest::newRow("empty birth date") << ""
                                          << "3950" << false;
        QTest::newRow("no such day") << "30/02/2021"
                                     << "3950" << false;
        QTest::newRow("bad date before a bad weight") << "mañana"
                                                      << "150" << true;
    }
    void unreadableEntriesGiveTheEntryMessageOnly()
    {
        QFETCH(QString, birthDate);
        QFETCH(QString, weight);
        QFETCH(bool, refusedOnLeaving);
        Desk desk;
        desk.graficar(birthDate, weight);
        QCOMPARE(desk.texts(), QStringList{entryMessage});
        QCOMPARE(desk.messages.shown().first().style, MessageStyle::OkStop);
        QCOMPARE(desk.messages.shown().first().title, QString("Error"));
        QCOMPARE(desk.window.Text1()->text(), weight);
        QCOMPARE(desk.visibleMarkers(), 0);
        QVERIFY2(QDir().isEmpty(), "a refused weighing was stored");

        desk.messages.clear();
        desk.plot.Text1_LostFocus();
        QCOMPARE(desk.texts(), refusedOnLeaving ? QStringList{rangeMessage} : QStringList());
    }

    void aRefusedWeightIsToldOnceAndItsBoxRefocused()
    {
        Desk desk;
        QObject::connect(desk.window.Text1(), &TextBox::lostFocus, &desk.window,
                         [&desk] { desk.plot.Text1_LostFocus(); });
        QObject::connect(desk.window.Command1(), &FormLabel::clicked, &desk.window,
                         [&desk] { desk.plot.Command1_Click(); });
        desk.window.Text2()->setText("14/02/2021");
        desk.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&desk.window));
        desk.window.Text1()->setFocus();
        QTest::keyClicks(desk.window.Text1(), "150");
        QTest::keyClick(desk.window.Text1(), Qt::Key_Backtab);
        QCOMPARE(desk.texts(), QStringList{rangeMessage});
        QCOMPARE(desk.window.Text1()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), desk.window.Text1());

        // "Graficar" takes no focus, so only the command itself tells of the weight.
        QTest::keyClicks(desk.window.Text1(), "45000");
        QTest::mouseClick(desk.window.Command1(), Qt::LeftButton);
        QCOMPARE(desk.texts(), (QStringList{rangeMessage, rangeMessage}));
        QCOMPARE(desk.window.Text1()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), desk.window.Text1());
        QCOMPARE(desk.visibleMarkers(), 0);
    }

    void theStoreAnswerAndTheFolderDecideWhatIsWritten_data()
    {
        QTest::addColumn<bool>("mujer");
        QTest::addColumn<QString>("history"); // null: as the window opened it
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("told"); // found in the box after the question
        QTest::addColumn<QString>("file");

        const MessageAnswer yes = MessageAnswer::Yes;
        QTest::newRow("No") << false << "4711" << MessageAnswer::No << ""
                            << "";
        QTest::newRow("Yes, empty history number") << false << "" << yes << historyMessage << "";
        QTest::newRow("Yes, the initial 0, no child's number")
            << false << QString() << yes << historyMessage << "";
        QTest::newRow("Yes, a fraction would file it under child 12")
            << false << "12.9" << yes << "Debe Ingresar un dato numérico"
            << "";
        QTest::newRow("the road of one weighing") << true << "4711" << yes << ""
                                                  << "0004711M.CRV";
        QTest::newRow("a folder named like the file")
            << false << "52" << yes << "no se almacenó en el archivo 0000052V.CRV"
            << "";
        QTest::newRow("a number too long for the name")
            << true << "1e9" << yes << "no se almacenó: el número de historia clínica 1e9"
            << "";
    }
    void theStoreAnswerAndTheFolderDecideWhatIsWritten()
    {
        QFETCH(bool, mujer);
        QFETCH(QString, history);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, told);
        QFETCH(QString, file);
        Desk desk;
        QVERIFY(QDir().mkdir("0000052V.CRV"));
        desk.window.Option1(mujer ? 1 : 0)->setChecked(true);
        if (!history.isNull())
            desk.window.Text3()->setText(history);
        desk.graficar("14/02/2021", "3950", answer);

        QCOMPARE(desk.messages.shown().size(), told.isEmpty() ? 1 : 2);
        QCOMPARE(desk.messages.shown().first().style, MessageStyle::YesNoQuestion);
        QCOMPARE(desk.messages.shown().first().title, QString("Pregunta"));
        const auto& last = desk.messages.shown().last();
        QVERIFY2(told.isEmpty() ||
                     (last.text.contains(told) && last.style != MessageStyle::YesNoQuestion &&
                      last.title.startsWith("Error")),
                 qPrintable(last.text));
        QCOMPARE(QDir().entryList(QDir::Files), file.isEmpty() ? QStringList() : QStringList{file});
        if (!file.isEmpty())
            QCOMPARE(contentOf(file), firstStore);
        // The chart picture is the one of the child the boxes name, stored or not.
        QCOMPARE(!desk.window.Image3()->isHidden(), mujer);
        QCOMPARE(desk.window.sh(0)->twipLeft(), float(3405.0 + 17 * 5445.0 / 2190.0 - 75.0));
        QCOMPARE(desk.window.sh(0)->twipTop(), 5251.875f);
        QVERIFY2(desk.markerAt(0, 17, 3950) && desk.arrowOn(0), "the weighing was not plotted");
        QCOMPARE(desk.visibleMarkers(), 1);
    }

    // Whatever stands under the patient file's name that is not a history of ours is never
    // written, followed or waited on; the user is told why, and the weighing is plotted.
    void onlyAHistoryOfOursIsAppendedTo_data()
    {
        QTest::addColumn<QString>("planted"); // a kind of entry, or a file's content
        QTest::addColumn<QString>("told");
        const QString nul = QString("\"14/02/2021\"\r\n\"0") + QChar(0) + "\"";
        const std::tuple<const char*, QString, const char*> rows[] = {
            {"pipe", "pipe", "una tubería"},
            {"link outside", "link", "un enlace simbólico"},
            {"link to /dev/null", "/dev/null", "un enlace simbólico"},
            {"folder", "folder", "una carpeta"},
            {"2 MB", QString(2'000'000, '1'), "demasiado grande"},
            {"NUL bytes", nul, "datos que no son texto"},
            {"no birth date", "\"03/03/20210000003950\"", "no comienza con una fecha"},
            {"no room for one more",
             QString(firstStore).append(firstStore.sliced(14).repeated(43689)), "está lleno"}};
        for (const auto& [tag, planted, told] : rows)
            QTest::newRow(tag) << planted << QString(told);
    }
    void onlyAHistoryOfOursIsAppendedTo()
    {
        QFETCH(QString, planted);
        QFETCH(QString, told);
        Desk desk;
        QTemporaryDir elsewhere;
        const QString outside = elsewhere.filePath("outside.txt"), name = "0004711V.CRV";
        QVERIFY(QFile(outside).open(QIODevice::WriteOnly));
        if (planted == "pipe")
            QVERIFY(mkfifo(qPrintable(name), 0600) == 0);
        else if (planted == "link" || planted == "/dev/null")
            QVERIFY(QFile::link(planted == "link" ? outside : planted, name));
        else
            QVERIFY(planted == "folder" ? QDir().mkdir(name)
                                        : writeBytes(name, planted.toLatin1()));
        desk.window.Text3()->setText("4711");
        alarm(10); // a store waiting on the pipe ends the test instead of hanging it
        desk.graficar("14/02/2021", "3950");
        alarm(0);

        const QString& message = desk.messages.shown().last().text;
        QVERIFY2(message.contains("no se almacenó en el archivo " + name) && message.contains(told),
                 qPrintable(message));
        QVERIFY2(desk.markerAt(0, 17, 3950), "the weighing was not plotted");
        QCOMPARE(contentOf(outside), QByteArray());
        if (QFileInfo(name).isFile() && !QFileInfo(name).isSymLink())
            QCOMPARE(contentOf(name), planted.toLatin1());
        QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList{name});
    }

    void aFutureBirthDatePlotsLeftOfTheFrame()
    {
        Desk desk;
        // Asked about first, as a birth date after the day of the weighing; Sí plots it all the
        // same.
        desk.messages.answerNext(MessageAnswer::Yes);
        desk.graficar("10/03/2021", "3950", MessageAnswer::No);
        QVERIFY2(desk.markerAt(0, -7, 3950), "the marker is not a week before the frame");
        QVERIFY(desk.window.sh(0)->twipLeft() + 75 < desk.window.Shape2()->twipLeft());
    }

    void repeatedGraficarStacksMarkersAndRecords()
    {
        Desk desk;
        desk.window.Text3()->setText("4711");
        for (int click = 0; click < 3; ++click)
            desk.graficar("14/02/2021", "3950");
        QVERIFY2(desk.markerAt(0, 17, 3950) && desk.markerAt(1, 17, 3950) &&
                     desk.markerAt(2, 17, 3950) && desk.arrowOn(2),
                 "the weighings do not stack up on markers 0 to 2");
        QCOMPARE(desk.visibleMarkers(), 3);
        QCOMPARE(contentOf("0004711V.CRV"), firstStore + firstStore.sliced(14, 24).repeated(2));
    }

    // Another desk holds the file past the wait: "Graficar" waits once, says so once after the
    // question, files nothing and still plots the weighing, placed from the history already read.
    void aFileHeldAtAnotherDeskIsToldOnceAndTheWeighingStillPlotted()
    {
        Desk desk;
        QVERIFY(writeBytes("0004711V.CRV", firstStore));
        desk.window.Text3()->setText("4711");
        QVERIFY(!desk.history.load({"4711", true}).failure);
        OtherDesk otherDesk(STORE_HELPER);
        QVERIFY2(otherDesk.hold(desk.folder.filePath("0004711V.CRV")),
                 "the other desk never locked the file");
        // The history in force cannot be read: nothing is asked, the one wait is told once.
        desk.graficar("14/02/2021", "4100");
        QCOMPARE(desk.messages.shown().size(), 1);
        QVERIFY2(desk.texts().last().contains("0004711V.CRV está en uso en otro puesto"),
                 qPrintable(desk.texts().last()));
        QVERIFY2(desk.markerAt(1, 17, 4100) && desk.arrowOn(1), "the weighing was not plotted");
        QCOMPARE(desk.visibleMarkers(), 2);
        QVERIFY(otherDesk.release());
        QCOMPARE(contentOf("0004711V.CRV"), firstStore);
    }

    void aBirthDateCorrectedAtAnotherDeskRedatesThisVisit()
    {
        Desk desk;
        QVERIFY(writeBytes("0004711V.CRV", firstStore));
        desk.window.Option1(0)->setChecked(true);
        desk.window.Text3()->setText("4711");
        desk.graficar("14/02/2021", "4000", MessageAnswer::No);
        QVERIFY(desk.markerAt(1, 17, 4000));
        // Another desk corrects the birth date: the next "Graficar" reads it, whatever the box was
        // made to say, and every weighing of this visit counts from it.
        QVERIFY(writeBytes("0004711V.COR", "\"N|0000|20/02/2021|03/03/2021|mal copiada\"\r\n"));
        desk.graficar("14/02/2021", "4100", MessageAnswer::No);
        QCOMPARE(desk.window.Text2()->text(), QString("20/02/2021"));
        QVERIFY(!desk.window.Text2()->isEnabled());
        QVERIFY2(desk.markerAt(0, 11, 3950) && desk.markerAt(1, 11, 4000) &&
                     desk.markerAt(2, 11, 4100) && desk.arrowOn(2),
                 "a weighing does not count from the corrected birth date");
        const ChartPageContent page =
            chartPageSnapshot(chartLook(desk.window.palette()), desk.history, desk.clock.today());
        QCOMPARE(page.birthDate, QString("20/02/2021"));
        QCOMPARE(page.markers.size(), 3);
    }

    void aStoredWeighingToReviewIsToldAndRinged()
    {
        // The girl of the README's example: on P50 at birth, above it at a year, between P3 and
        // P10 at two years, a fall of 2.60 centile spaces.
        Desk desk;
        QVERIFY(writeBytes("0000031M.CRV", "\"01/01/2023\"\r\n\"01/01/20230000003400\"\r\n"
                                           "\"01/01/20240000009700\"\r\n"));
        desk.window.Option1(1)->setChecked(true);
        desk.window.Text3()->setText("31");
        desk.clock.setToday(QDate(2024, 12, 31));
        desk.messages.answerNext(MessageAnswer::Yes);
        desk.graficar("01/01/2023", "10000");
        QCOMPARE(desk.messages.shown().last().title, QString("Para revisar"));
        QCOMPARE(desk.texts().last(),
                 QString("Bajó 2 espacios de percentil desde el 01/01/2024.\nEs un motivo para "
                         "mirar la curva con atención, no un diagnóstico."));
        QVERIFY(desk.window.sh(2)->reviewRing() && !desk.window.sh(1)->reviewRing());
        // At 10600 g she fell 1.89 spaces: nothing to review, no notice.
        desk.messages.clear();
        desk.graficar("01/01/2023", "10600");
        QCOMPARE(desk.texts(), QStringList{storeQuestion});
        QVERIFY(!desk.window.sh(3)->reviewRing());
    }

    void aFullPoolMovesMarkerZero()
    {
        Desk desk;
        for (int index = 0; index < zelpo::markerPoolSize; ++index)
            desk.history.plotUnstored(desk.clock.today().addDays(-index), 10000,
                                      desk.clock.today());
        desk.graficar("14/02/2021", "3950", MessageAnswer::No);
        QVERIFY2(desk.markerAt(0, 17, 3950) && desk.arrowOn(0), "marker 0 was not moved");
        QVERIFY2(desk.markerAt(106, 106, 10000), "marker 106 moved");
        QCOMPARE(desk.visibleMarkers(), zelpo::markerPoolSize);
    }
};

QTEST_MAIN(PlotCommandTest)
#include "tst_plot_command.moc"
