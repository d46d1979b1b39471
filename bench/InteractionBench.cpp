#include "bench/InteractionBench.h"

#include "app/StoredWeighingsDialog.h"
#include "bench/PaintRecorder.h"
#include "core/Conversions.h"
#include "core/Plausibility.h"
#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "look/ChartLook.h"
#include "printout/ChartPdfFile.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/HistoryLoader.h"
#include "procedures/MarkerOperations.h"
#include "records/CorrectionsFile.h"
#include "records/OutputFile.h"
#include "records/PatientFile.h"
#include "records/RecordFile.h"
#include "records/WeighingsCsv.h"
#include "support/ScriptedTextPrompt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTest>

using namespace zelpo;

namespace {

const QString historyNumber = QStringLiteral("4711");
const QString historyFile = QStringLiteral("0004711V.CRV");
const QString birthDateText = QStringLiteral("01/01/2020");
const QString storedMessage = QStringLiteral("Este paciente posee datos almacenados");
const QString storeQuestion = QStringLiteral("Almacena las medidas tomadas al paciente");

// Two places over the boys' chart, in its pixels: each move between them shifts both lines
// and changes both numbers of the readout.
constexpr QPoint firstPointerPoint{120, 150};
constexpr QPoint secondPointerPoint{260, 300};

// Paints what the step left to repaint and hands it to the screen, as the event loop does once
// the handler returns.
void finishRepaint()
{
    QCoreApplication::processEvents();
}

// Asks the display server a question and waits for the answer, which it gives only once it has
// dealt with everything sent before: the previous step's picture is then on the screen.
void waitForDisplayServer()
{
    QGuiApplication::queryKeyboardModifiers();
}

// Each step starts as a person's action does: with every repaint done and the display server
// idle, so that no step pays for the one before it.
template <typename Step>
double millisecondsFor(Step step)
{
    finishRepaint();
    waitForDisplayServer();
    QElapsedTimer clock;
    clock.start();
    step();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

InteractionBench::InteractionBench()
    : m_previousFolder(QDir::currentPath()), m_window(std::make_unique<PerZelpo>())
{
    // The patient files live in the folder handed to the window; the copies and removals below
    // name them from the current folder.
    QDir::setCurrent(m_folder.path());
    m_history =
        std::make_unique<zelpo::ChildHistory>(m_folder.path(), zelpo::childNamedByBoxes(*m_window));
    m_events = new ChartWindowEvents(*m_window,
                                     {m_messages, m_clock, m_addresses, *m_history, m_view}, [] {});
    storeHistory();
    chooseTheBoy();
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        fail(QStringLiteral("the chart window was never shown on the screen"));
    }
    // The pointer rests on the window, as it does while a person works in it; the toolkit then
    // checks where it is whenever a control under it appears or goes.
    QCursor::setPos(m_window->mapToGlobal(m_window->rect().center()));
    finishRepaint();
}

InteractionBench::~InteractionBench()
{
    m_window.reset();
    QDir::setCurrent(m_previousFolder);
}

void InteractionBench::storeHistory()
{
    // A boy weighed every 20 days from birth, gaining 120 g each time.
    const QDate birth = QDate::fromString(birthDateText, QStringLiteral("dd/MM/yyyy"));
    for (int weighing = 1; weighing <= kHistoryWeighings; ++weighing) {
        const zelpo::Result<zelpo::FiledWeighing> filed =
            zelpo::GuardarMedida(historyFile, birth, 3300 + 120 * weighing,
                                 birth.addDays(20 * weighing), m_folder.path());
        if (!filed.ok()) {
            fail(QStringLiteral("the history could not be stored: %1")
                     .arg(filed.failure().description));
            return;
        }
    }
}

void InteractionBench::chooseTheBoy()
{
    m_window->Text3()->setText(historyNumber);
    m_window->Option1(0)->setChecked(true);
    m_window->Image3()->hide();
}

void InteractionBench::clearChart()
{
    // A child with neither number nor patient file: the chart as a new child's visit starts it.
    m_window->Text3()->clear();
    m_history->load({QString(), true});
    LimpiarGrafico(*m_window);
    m_messages.clear();
    finishRepaint();
}

int InteractionBench::visibleMarkers() const
{
    int visible = 0;
    for (int index = 0; index < kHistoryWeighings; ++index) {
        visible += m_window->sh(index)->isHidden() ? 0 : 1;
    }
    return visible;
}

QString InteractionBench::shownTexts() const
{
    QStringList texts;
    for (const auto& message : m_messages.shown()) {
        texts.append(message.text);
    }
    return texts.join(QStringLiteral("\" \""));
}

void InteractionBench::fail(const QString& problem)
{
    if (m_problem.isEmpty()) {
        m_problem = problem;
    }
}

QList<double> InteractionBench::timeHistoryLoads(int runs)
{
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        // The history loads as the focus leaves the history-number box, never while it is there.
        m_window->Text1()->setFocus();
        clearChart();
        chooseTheBoy();
        times.append(millisecondsFor([this] { loadHistory(); }));
        const auto& shown = m_messages.shown();
        const bool announced = shown.size() == 1 && shown.first().text == storedMessage;
        if (!announced || visibleMarkers() != kHistoryWeighings) {
            fail(QStringLiteral("loading the history showed %1 markers and the messages \"%2\"")
                     .arg(visibleMarkers())
                     .arg(shownTexts()));
        }
    }
    return times;
}

QList<double> InteractionBench::timePlotsAnsweredNo(int runs)
{
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        clearChart();
        m_window->Text2()->setText(birthDateText);
        // The marker lands somewhere else each time, so there is always something to repaint;
        // both weights lie close to the last one stored, so no doubt is raised about them.
        m_window->Text1()->setText(run % 2 == 0 ? QStringLiteral("16000")
                                                : QStringLiteral("16300"));
        m_messages.answerNext(MessageAnswer::No);
        times.append(millisecondsFor([this] { plotWeighing(); }));
        const auto& shown = m_messages.shown();
        const bool asked = shown.size() == 1 && shown.first().text == storeQuestion;
        if (!asked || visibleMarkers() != 1 || m_window->Image2()->isHidden()) {
            fail(QStringLiteral("\"Graficar\" showed %1 markers and the messages \"%2\"")
                     .arg(visibleMarkers())
                     .arg(shownTexts()));
        }
    }
    return times;
}

QList<double> InteractionBench::timeStoresIntoHistory(int runs)
{
    const QString copyFile = QStringLiteral("0004712V.CRV");
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        // Always a history of the same length, so that every run reads back as much.
        QFile::remove(copyFile);
        QFile::copy(historyFile, copyFile);
        QElapsedTimer clock;
        clock.start();
        const zelpo::Result<zelpo::FiledWeighing> filed = zelpo::GuardarMedida(
            copyFile, QDate::fromString(birthDateText, QStringLiteral("dd/MM/yyyy")), 12000,
            m_clock.today(), m_folder.path());
        times.append(double(clock.nsecsElapsed()) / 1e6);
        if (!filed.ok()) {
            fail(QStringLiteral("storing into the history failed: %1")
                     .arg(filed.failure().description));
        }
    }
    QFile::remove(copyFile);
    return times;
}

QList<double> InteractionBench::timeLocksAroundStores(int runs)
{
    const QString historyFile = QStringLiteral("0004711V.CRV");
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        QFile file(historyFile);
        if (!file.open(QIODevice::ReadWrite)) {
            fail(QStringLiteral("the history file could not be opened to lock it"));
            break;
        }
        QElapsedTimer clock;
        clock.start();
        const zelpo::MaybeFailure failure =
            zelpo::lockAgainstOtherDesks(file, zelpo::FileLock::Exclusive, historyFile);
        file.close();
        const qint64 lockedAndClosed = clock.nsecsElapsed();
        file.open(QIODevice::ReadWrite);
        clock.restart();
        file.close();
        times.append(double(lockedAndClosed - clock.nsecsElapsed()) / 1e6);
        if (failure) {
            fail(QStringLiteral("the history file could not be locked: %1")
                     .arg(failure->description));
        }
    }
    return times;
}

// The timed steps, each up to the end of its repaint. They are kept out of line so that a
// profile can single each one out (valgrind --tool=callgrind --toggle-collect=...).
Q_NEVER_INLINE void InteractionBench::loadHistory()
{
    m_events->Text3_LostFocus();
    finishRepaint();
}

Q_NEVER_INLINE void InteractionBench::plotWeighing()
{
    m_events->Command1_Click();
    finishRepaint();
}

Q_NEVER_INLINE void InteractionBench::movePointer()
{
    m_pointerAtFirstPoint = !m_pointerAtFirstPoint;
    Picture* chart = m_window->Image4();
    const QPointF at = m_pointerAtFirstPoint ? firstPointerPoint : secondPointerPoint;
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
    finishRepaint();
}

Q_NEVER_INLINE void InteractionBench::switchView()
{
    m_view.toggle();
    finishRepaint();
}

void InteractionBench::prepareForPointer(bool withHistory)
{
    clearChart();
    if (withHistory) {
        chooseTheBoy();
        loadHistory();
    }
    // A text cursor blinks on a timer of its own and would repaint in the middle of the moves.
    if (QWidget* focused = QApplication::focusWidget()) {
        focused->clearFocus();
    }
    finishRepaint();
}

QList<double> InteractionBench::timePointerMoves(int runs)
{
    prepareForPointer();
    return timeMovesAsPrepared(runs);
}

QList<double> InteractionBench::timePointerMovesOverMarkers(int runs)
{
    prepareForPointer(true);
    if (visibleMarkers() != kHistoryWeighings) {
        fail(QStringLiteral("the history showed %1 markers to move the pointer over")
                 .arg(visibleMarkers()));
    }
    return timeMovesAsPrepared(runs);
}

QList<double> InteractionBench::timeMovesAsPrepared(int runs)
{
    QList<double> times;
    movePointer();
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        const QString before = m_window->Label5()->text();
        times.append(millisecondsFor([this] { movePointer(); }));
        if (m_window->Line2()->isHidden() || m_window->Label5()->text() == before) {
            fail(QStringLiteral("a pointer move left the readout as it was: \"%1\"").arg(before));
        }
    }
    return times;
}

InteractionBench::ViewSwitches InteractionBench::timeViewSwitches(int runs)
{
    ViewSwitches switches;
    prepareForPointer(true);
    // Nothing has drawn the two-year chart before in this run of the benchmark.
    switches.first.append(millisecondsFor([this] { switchView(); }));
    // Weighed every 20 days from birth: 36 of them within the first 730 days and 16 kg.
    const int inView = 36;
    if (visibleMarkers() != inView || m_window->Label9()->isHidden()) {
        fail(QStringLiteral("the first two years showed %1 markers and the caption \"%2\"")
                 .arg(visibleMarkers())
                 .arg(m_window->Label9()->text()));
    }
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        switches.later.append(millisecondsFor([this] { switchView(); }));
    }
    if (!m_view.showsFirstTwoYears()) {
        switchView();
    }
    switches.moves = timeMovesAsPrepared(runs * 10);
    switchView();
    return switches;
}

InteractionBench::RepaintedArea InteractionBench::measurePointerMoveArea(int moves)
{
    RepaintedArea area;
    prepareForPointer();
    movePointer();
    PaintRecorder recorder(*m_window);
    for (int move = 0; move < moves; ++move) {
        QRegion allowed = m_window->Label5()->geometry();
        allowed += m_window->Line2()->geometry();
        allowed += m_window->Line3()->geometry();
        recorder.start();
        movePointer();
        recorder.stop();
        allowed += m_window->Line2()->geometry();
        allowed += m_window->Line3()->geometry();

        const QRegion painted = recorder.painted();
        if (painted.isEmpty()) {
            fail(QStringLiteral("a pointer move repainted nothing"));
            return area;
        }
        area.allWithinAllowance = area.allWithinAllowance && (painted - allowed).isEmpty();
        if (pixelArea(painted) > area.largestPainted) {
            area.largestPainted = pixelArea(painted);
            area.allowedForIt = pixelArea(allowed);
        }
    }
    return area;
}

QList<double> InteractionBench::timeChartPages(int runs)
{
    clearChart();
    chooseTheBoy();
    loadHistory();
    return timePagesOfLoadedHistory(runs, kHistoryWeighings);
}

QList<double> InteractionBench::timePagesOfLoadedHistory(int runs, int weighings)
{
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        times.append(millisecondsFor([&] {
            // As printing does: the history read once more, then the page.
            m_history->refresh();
            const ChartPageContent page =
                chartPageSnapshot(chartLook(m_window->palette()), *m_history, m_clock.today());
            if (!page.storedWeighings || page.storedWeighings->size() != weighings ||
                !writeChartPdf(pdf, page)) {
                fail(QStringLiteral("the page of %1 weighings lacked some or was not written")
                         .arg(weighings));
            }
        }));
    }
    return times;
}

QList<double> InteractionBench::timeLargestChartPages(int runs)
{
    // A boy weighed as often as his file may hold, up to the size the loader reads back.
    const QDate birth = QDate::fromString(birthDateText, QStringLiteral("dd/MM/yyyy"));
    QByteArray records = '"' + birthDateText.toLatin1() + "\"\r\n";
    for (int weighing = 0;; ++weighing) {
        const QByteArray record =
            QStringLiteral("\"%1%2\"\r\n")
                .arg(birth.addDays(1 + weighing % 2189).toString(QStringLiteral("dd/MM/yyyy")))
                .arg(3300 + weighing % 15000, 10, 10, QLatin1Char('0'))
                .toLatin1();
        if (records.size() + record.size() > zelpo::maxRecordFileSize) {
            m_largestHistoryWeighings = weighing;
            break;
        }
        records += record;
    }
    QFile file(m_folder.filePath(QStringLiteral("0004712V.CRV")));
    if (!file.open(QIODevice::WriteOnly) || file.write(records) != records.size()) {
        fail(QStringLiteral("the largest history could not be written"));
        return {};
    }
    file.close();
    clearChart();
    m_window->Text3()->setText(QStringLiteral("4712"));
    loadHistory();
    const QList<double> times = timePagesOfLoadedHistory(runs, m_largestHistoryWeighings);
    clearChart();
    m_window->Text3()->setText(historyNumber);
    return times;
}

QList<double> InteractionBench::timeWeighingReadings(int runs)
{
    const QStringList records = zelpo::readPatientRecords(historyFile, m_folder.path()).records;
    const std::optional<QDate> birth =
        records.isEmpty() ? std::nullopt : zelpo::dateValue(records.first());
    const QList<zelpo::PlacedWeighing> weighings = zelpo::placeWeighings(records.mid(1));
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty() && birth; ++run) {
        // One reading takes far less than the clock's grain: each run reads the whole history,
        // each weighing against the one before it, and gives the time of one.
        int banded = 0;
        int gaining = 0;
        std::optional<zelpo::EarlierWeighing> earlier;
        QElapsedTimer clock;
        clock.start();
        for (const zelpo::PlacedWeighing& weighing : weighings) {
            const zelpo::WeighingReading reading = zelpo::readWeighing(
                zelpo::ChartSex::Boys, *birth, *weighing.date, weighing.grams, earlier);
            banded += reading.band.isEmpty() ? 0 : 1;
            gaining += reading.gramsPerDay == 6 ? 1 : 0;
            earlier = zelpo::EarlierWeighing{*weighing.date, weighing.grams};
        }
        times.append(double(clock.nsecsElapsed()) / 1e3 / double(weighings.size()));
        if (banded != kHistoryWeighings || gaining != kHistoryWeighings - 1) {
            fail(QStringLiteral("of the stored weighings %1 read a band and %2 a gain of 6 g a day")
                     .arg(banded)
                     .arg(gaining));
        }
    }
    if (!birth) {
        fail(QStringLiteral("the stored history has no birth date"));
    }
    return times;
}

QList<double> InteractionBench::timeWeighingsCsvs(int runs)
{
    QList<double> times;
    loadHistory();
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        QElapsedTimer clock;
        clock.start();
        m_history->refresh();
        const QByteArray csv =
            zelpo::weighingsCsv(m_history->key().historyNumber(), m_history->stored());
        const zelpo::MaybeFailure saved = zelpo::saveOutputFile(
            m_folder.filePath(QStringLiteral("medidas.csv")),
            [&csv](QIODevice& file) { return file.write(csv) == csv.size(); });
        times.append(double(clock.nsecsElapsed()) / 1e6);
        if (saved || csv.count("\r\n") != kHistoryWeighings + 1) {
            fail(
                QStringLiteral("the spreadsheet of %1 lines was not saved").arg(csv.count("\r\n")));
        }
    }
    return times;
}

QList<double> InteractionBench::timePlausibilityChecks(int runs)
{
    const QDate birth = QDate::fromString(birthDateText, QStringLiteral("dd/MM/yyyy"));
    const zelpo::StoredHistory history = zelpo::storedHistory(
        zelpo::readPatientRecords(historyFile, m_folder.path()).records, zelpo::ChartSex::Boys);
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        // One check takes far less than the clock's grain: each run checks every stored
        // weighing against the one before it, and gives the time of one.
        int doubted = 0;
        std::optional<zelpo::EarlierWeighing> earlier;
        QElapsedTimer clock;
        clock.start();
        for (const zelpo::StoredWeighing& weighing : history.weighings) {
            const QDate date = zelpo::dateValue(weighing.date).value_or(QDate());
            doubted += zelpo::implausibility(zelpo::ChartSex::Boys, zelpo::daysBetween(birth, date),
                                             weighing.grams, date, earlier)
                           .size();
            earlier = zelpo::EarlierWeighing{date, weighing.grams};
        }
        times.append(double(clock.nsecsElapsed()) / 1e3 / double(history.weighings.size()));
        if (history.weighings.size() != kHistoryWeighings) {
            fail(QStringLiteral("the stored history read back %1 weighings")
                     .arg(history.weighings.size()));
        }
        Q_UNUSED(doubted);
    }
    return times;
}

QList<double> InteractionBench::timeHistoryLoadsWithCorrections(int runs)
{
    // A copy of the history, 20 of its weighings struck out beside it.
    const QString copyFile = QStringLiteral("0004713V.CRV");
    QFile::remove(copyFile);
    QFile::copy(historyFile, copyFile);
    const QStringList records = zelpo::readPatientRecords(copyFile, m_folder.path()).records;
    for (qsizetype record = 5; record < 105 && m_problem.isEmpty(); record += 5) {
        const auto struck = zelpo::appendCorrection(copyFile,
                                                    {zelpo::CorrectionKind::StruckOut, record,
                                                     records.value(record), m_clock.today(),
                                                     QStringLiteral("error de tipeo")},
                                                    m_folder.path());
        if (!struck.ok()) {
            fail(QStringLiteral("a correction could not be written: %1")
                     .arg(struck.failure().description));
        }
    }
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        clearChart();
        m_window->Text3()->setText(QStringLiteral("4713"));
        m_messages.clear();
        times.append(millisecondsFor([this] { loadHistory(); }));
        if (visibleMarkers() != kHistoryWeighings - 20) {
            fail(QStringLiteral("loading the corrected history showed %1 markers and the "
                                "messages \"%2\"")
                     .arg(visibleMarkers())
                     .arg(shownTexts()));
        }
    }
    m_window->Text3()->setText(historyNumber);
    loadHistory();
    return times;
}

InteractionBench::ChildSteps InteractionBench::timeChildBornAtTerm(int runs)
{
    return timeChildSteps(historyNumber, kHistoryWeighings, runs);
}

InteractionBench::ChildSteps InteractionBench::timeChildBornEarly(int runs)
{
    const QString copyFile = QStringLiteral("0004714V.CRV");
    QFile::remove(copyFile);
    QFile::remove(QStringLiteral("0004714V.COR"));
    QFile::copy(historyFile, copyFile);
    const QStringList records = zelpo::readPatientRecords(copyFile, m_folder.path()).records;
    const auto recorded = zelpo::appendCorrection(
        copyFile,
        {zelpo::CorrectionKind::GestationalAge, 0, records.value(0), m_clock.today(), "30+2"},
        m_folder.path());
    if (!recorded.ok()) {
        fail(QStringLiteral("the gestational age could not be recorded: %1")
                 .arg(recorded.failure().description));
    }
    // Weighed at 20, 40 and 60 days, 68 days early: before the due date, off the chart.
    return timeChildSteps(QStringLiteral("4714"), kHistoryWeighings - 3, runs);
}

InteractionBench::ChildSteps InteractionBench::timeChildSteps(const QString& number,
                                                              int shownMarkers, int runs)
{
    ChildSteps steps;
    const auto open = [&] {
        clearChart();
        m_window->Text3()->setText(number);
        steps.loads.append(millisecondsFor([this] { loadHistory(); }));
        m_messages.clear();
        if (visibleMarkers() != shownMarkers) {
            fail(
                QStringLiteral("the child %1 showed %2 markers").arg(number).arg(visibleMarkers()));
        }
    };
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        // Each weighing plotted stays with the child until another is opened: the child is
        // opened again for each, so that every one joins the same chart.
        open();
        m_window->Text2()->setText(birthDateText);
        m_window->Text1()->setText(QStringLiteral("16000"));
        m_messages.answerNext(MessageAnswer::No);
        steps.plots.append(millisecondsFor([this] { plotWeighing(); }));
    }
    open();
    if (QWidget* focused = QApplication::focusWidget()) {
        focused->clearFocus();
    }
    finishRepaint();
    steps.moves = timeMovesAsPrepared(runs * 10);
    return steps;
}

QList<double> InteractionBench::timeStoredWeighingsDialogs(int runs)
{
    loadHistory();
    ScriptedTextPrompt prompt;
    QList<double> times;
    for (int run = 0; run < runs && m_problem.isEmpty(); ++run) {
        int rows = 0;
        times.append(millisecondsFor([&] {
            StoredWeighingsDialog dialog(*m_history, {m_messages, prompt, m_clock}, m_window.get());
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog)) {
                fail(QStringLiteral("the table of stored weighings was never shown"));
            }
            finishRepaint();
            rows = dialog.findChild<QAbstractItemView*>()->model()->rowCount();
        }));
        if (rows != kHistoryWeighings) {
            fail(QStringLiteral("the table of stored weighings held %1 rows").arg(rows));
        }
    }
    return times;
}
