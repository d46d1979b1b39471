#include "history/ChartMarkers.h"
#include "history/ChildHistory.h"
#include "history/StoredWeighingsModel.h"
#include "support/TestFiles.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

const QString patientFileName = QStringLiteral("0004711M.CRV");
const QByteArray storedBefore = "\"14/02/2021\"\r\n\"03/03/20210000003950\"\r\n";
const QByteArray theirs = "\"09/04/20210000004500\"\r\n";
const QByteArray ours = "\"10/04/20210000004620\"\r\n";

} // namespace

class ChildHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void storingTakesTheFileAsReadBackAndNothingAppendedSince();
    void correctionsAreReadThroughAndOnlyWhereTheyMatch();
    void theChartShowsTheHistoryAsOpenedThenThisVisitThenOtherDesks();
    void aDeskHoldingTheFileIsWaitedForOnceThenTold_data();
    void aDeskHoldingTheFileIsWaitedForOnceThenTold();
};

void ChildHistoryTest::storingTakesTheFileAsReadBackAndNothingAppendedSince()
{
    QTemporaryDir temp;
    const QString path = temp.filePath(patientFileName);
    QVERIFY(writeBytes(path, storedBefore));
    ChildHistory history(temp.path(), {"0", false});
    QSignalSpy changes(&history, &ChildHistory::changed);

    const HistoryLookup lookup = history.load({"4711", false});
    QVERIFY(lookup.file == PatientFileFound::Found && !lookup.failure);
    QVERIFY(history.isLookedUp("4711") && !history.isLookedUp("471"));
    QCOMPARE(history.stored().weighings.size(), 1);

    const Result<qsizetype> filed = history.store(QDate(2021, 2, 14), 4620.9, QDate(2021, 4, 10));
    QVERIFY(filed.ok() && filed.value() == 2);
    // Another desk appends just after us: the history keeps our weighing as ours.
    OtherDesk otherDesk(STORE_HELPER);
    QVERIFY(otherDesk.hold(path, theirs) && otherDesk.release());
    QCOMPARE(contentOf(path), storedBefore + ours + theirs);
    QCOMPARE(history.weighingAt(2)->grams, 4620.0);
    QCOMPARE(history.stored().weighings.size(), 2);
    QCOMPARE(history.storedBefore(2)->grams, 3950.0);

    QVERIFY(!history.refresh());
    QCOMPARE(history.weighingAt(2)->grams, 4620.0);
    QCOMPARE(history.lastStored()->grams, 4500.0);
    QCOMPARE(changes.count(), 3);

    QCOMPARE(history.load({"1e9", false}).file, PatientFileFound::Unnamed);
    // Corrections left without their patient file are told, and belong to no child.
    QVERIFY(writeBytes(temp.filePath("0000052V.COR"), "\"R|0001|x|01/05/2021|\"\r\n"));
    const HistoryLookup stray = history.load({"52", true});
    QVERIFY(stray.file == PatientFileFound::None &&
            stray.failure->description.contains("0000052V.COR está en la carpeta sin"));
    QVERIFY(!history.hasPatientFile() && !history.refresh());
}

void ChildHistoryTest::correctionsAreReadThroughAndOnlyWhereTheyMatch()
{
    QTemporaryDir temp;
    QVERIFY(writeBytes(temp.filePath(patientFileName), storedBefore + ours + theirs));
    // Left by another desk or an editor: one that names record 2 with another text, a blank
    // line, one that is no correction, and one without a reason, each line told as an editor
    // counts it.
    QVERIFY(writeBytes(temp.filePath("0004711M.COR"),
                       "\"A|0002|10/04/20210000009999|01/05/2021|otro\"\r\n\r\nbasura\r"
                       "\"A|0002|10/04/20210000004620|01/05/2021|\"\n"));
    ChildHistory history(temp.path(), {"0", false});
    // The table of stored weighings follows every change within its reset.
    StoredWeighingsModel table(history);
    QAbstractItemModelTester tester(&table, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const HistoryLookup lookup = history.load({"4711", false});
    QCOMPARE(lookup.corrections->description,
             "No coinciden los tipos: 3 correcciones del archivo 0004711M.COR no se aplican al "
             "archivo 0004711M.CRV.\nLínea 1: no coincide con el archivo de paciente.\nLínea 3: "
             "no es una corrección.\nLínea 4: falta el motivo.");
    QVERIFY(history.weighingAt(2)->struckOut.isEmpty());

    const QDate today(2021, 5, 1);
    QVERIFY(!history.strikeOut(2, "error de tipeo", today));
    QCOMPARE(history.weighingAt(2)->struckOut, "error de tipeo");
    // The gain after a weighing struck out counts from the one before it that stands.
    QCOMPARE(history.weighingAt(3)->gramsPerDay, std::optional<int>(15));
    QCOMPARE(history.lastStored()->grams, 4500.0);
    QVERIFY(!history.correctBirthDate(QDate(2021, 2, 20), "mal escrita", today));
    QCOMPARE(history.stored().birthDate, QDate(2021, 2, 20));
    QCOMPARE(history.fileBirthDate(), QDate(2021, 2, 14));
    QVERIFY(!history.restore(2, today));
    QVERIFY(history.weighingAt(2)->struckOut.isEmpty());
    QCOMPARE(contentOf(temp.filePath(patientFileName)), storedBefore + ours + theirs);
    QVERIFY(appendBytes(temp.filePath(patientFileName), theirs) && !history.refresh());
    QCOMPARE(table.rowCount(), 4);
    QCOMPARE(table.data(table.index(table.rowOf(4), 0), StoredWeighingsModel::RecordRole), 4);

    ChildHistory atAnotherDesk(temp.path(), {"0", false});
    QCOMPARE(atAnotherDesk.load({"4711", false}).corrections->description,
             lookup.corrections->description);
    QCOMPARE(atAnotherDesk.birthDateCorrection()->date, QDate(2021, 2, 20));

    // A corrections file that cannot be read shows no history, and takes no weighing: nothing
    // stored could be questioned against the history it would join.
    QVERIFY(writeBytes(temp.filePath("0004711M.COR"), QByteArray(maxRecordFileSize + 1, 'x')));
    const QByteArray before = contentOf(temp.filePath(patientFileName));
    QVERIFY(atAnotherDesk.load({"4711", false}).failure && !atAnotherDesk.hasPatientFile());
    const Result<qsizetype> refused = atAnotherDesk.store(QDate(2021, 2, 14), 5000, today);
    QVERIFY2(!refused.ok() && refused.failure().description.contains("0004711M.COR"),
             qPrintable(refused.ok() ? QString() : refused.failure().description));
    QCOMPARE(contentOf(temp.filePath(patientFileName)), before);
    QVERIFY(!atAnotherDesk.hasPatientFile());
}

void ChildHistoryTest::theChartShowsTheHistoryAsOpenedThenThisVisitThenOtherDesks()
{
    QTemporaryDir temp;
    QVERIFY(writeBytes(temp.filePath(patientFileName), storedBefore + ours + theirs));
    ChildHistory history(temp.path(), {"0", false});
    QVERIFY(!history.load({"4711", false}).failure);
    const QDate born(2021, 2, 14);
    const QDate today(2021, 4, 20);
    QVERIFY(!history.strikeOut(2, "error de tipeo", today));
    // Typed with another birth date, it counts from the stored one in force, as every age does.
    history.plotUnstored(QDate(2021, 2, 20), 4800.5, today);
    QVERIFY(history.store(born, 4900, today).ok());
    QVERIFY(appendBytes(temp.filePath(patientFileName), "\"21/04/20210000005000\"\r\n"));
    QVERIFY(!history.refresh());

    const ChartGeometry chart{{3405, 435, 5445, 5625}, 150, 135, 480, 480};
    const ChartMarkers placed = placeMarkers(history, chart);
    // Marker by marker: its record (0 when not stored), its place among this visit's weighings,
    // its age and its weight.
    const std::tuple<qsizetype, qsizetype, double, double> expected[] = {{1, -1, 17, 3950},
                                                                         {3, -1, 54, 4500},
                                                                         {0, 0, 65, 4800.5},
                                                                         {4, 1, 65, 4900},
                                                                         {5, -1, 66, 5000}};
    QCOMPARE(placed.weighings.size(), qsizetype(std::size(expected)));
    for (int marker = 0; marker < placed.weighings.size(); ++marker) {
        const ShownWeighing& shown = placed.weighings[marker];
        const auto [record, plotted, days, grams] = expected[marker];
        const MarkerPosition at = markerPlacement(chart.frame, 150, 135, days, grams);
        QCOMPARE(shown.marker, marker);
        QCOMPARE(shown.record.value_or(0), record);
        QCOMPARE(shown.plotted, plotted);
        QVERIFY(shown.box.left == at.left && shown.box.top == at.top);
    }
    QVERIFY(placed.arrow && placed.arrow->left == placed.weighings[3].box.left &&
            placed.arrow->width == 480);
    // Not stored: its gain counts from the last weighing stored, here one dated after it.
    QCOMPARE(markerTooltip(history, placed.weighings[2]),
             "20/04/2021 · 4800 g · 65 días (2 meses) · P3–P50 · — g/día");
    // Another child takes none of this visit's weighings with it.
    history.load({"4711", true});
    QVERIFY(history.plotted().isEmpty() && placeMarkers(history, chart).weighings.isEmpty());

    // A girl born at 30+0 is drawn at her corrected age, 70 days less, with a hollow mark at the
    // age from birth; recorded as born at term, she is drawn as any child again.
    QVERIFY(writeBytes(temp.filePath("0000007M.CRV"),
                       "\"01/01/2025\"\r\n\"11/04/20250000002500\"\r\n"));
    QVERIFY(!history.load({"7", false}).failure);
    QVERIFY(!history.recordGestationalAge(*GestationalAge::fromText(u"30"), today));
    const ShownWeighing early = placeMarkers(history, chart).weighings.value(0);
    const MarkerPosition fromBirth =
        markerPlacement(chart.frame, kBirthAgeMarkTwips, kBirthAgeMarkTwips, 100, 2500);
    QVERIFY(early.days == 30 && early.fromBirth && early.fromBirth->left == fromBirth.left);
    QCOMPARE(markerTooltip(history, early),
             "11/04/2025 · 2500 g · 100 días (3 meses) · edad "
             "corregida 30 días (0 meses) · < P3 · — g/día · para revisar: por "
             "debajo de P3");
    QVERIFY(!history.recordGestationalAge(*GestationalAge::fromText(u"38+0"), today));
    const ShownWeighing atTerm = placeMarkers(history, chart).weighings.value(0);
    QVERIFY(atTerm.days == 100 && !atTerm.fromBirth);
}

void ChildHistoryTest::aDeskHoldingTheFileIsWaitedForOnceThenTold_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("freed");
    for (const char* action : {"load", "store", "refresh"}) {
        QTest::addRow("%s, freed within the wait", action) << action << true;
        QTest::addRow("%s, held past the wait", action) << action << false;
    }
    // A history is never shown half-corrected.
    QTest::newRow("load, its corrections held past the wait") << "corrections" << false;
}

void ChildHistoryTest::aDeskHoldingTheFileIsWaitedForOnceThenTold()
{
    QFETCH(QString, action);
    QFETCH(bool, freed);
    QTemporaryDir temp;
    const QString path = temp.filePath(patientFileName);
    QVERIFY(writeBytes(path, storedBefore));
    const QString corrections = temp.filePath("0004711M.COR");
    QVERIFY(writeBytes(corrections, "\"R|0001|03/03/20210000003950|01/05/2021|\"\r\n"));
    const bool loading = action == "load" || action == "corrections";
    ChildHistory history(temp.path(), {"0", false});
    if (!loading)
        QVERIFY(!history.load({"4711", false}).failure);
    // The other desk's weighing: half of it is on disk while this desk waits. Freed, it lets go
    // as soon as this desk starts waiting; held, only once this desk has given up.
    const QByteArray written = freed ? theirs : "";
    OtherDesk otherDesk(STORE_HELPER);
    QVERIFY2(otherDesk.hold(action == "corrections" ? corrections : path, written),
             "the other desk never locked");

    int waits = 0;
    bool released = false;
    const auto waiting = [&] {
        ++waits;
        released = freed && otherDesk.release();
    };
    QElapsedTimer waited;
    waited.start();
    std::optional<Failure> failure;
    if (loading) {
        failure = history.load({"4711", false}, waiting).failure;
    } else if (action == "refresh") {
        failure = history.refresh(waiting);
    } else {
        const Result<qsizetype> filed =
            history.store(QDate(2021, 2, 14), 4620, QDate(2021, 4, 10), waiting);
        failure = filed.ok() ? std::nullopt : std::optional(filed.failure());
    }
    QVERIFY(freed ? released : waited.elapsed() >= otherDeskWait.count() && otherDesk.release());

    QCOMPARE(waits, 1);
    QCOMPARE(contentOf(path), storedBefore + written + (freed && action == "store" ? ours : ""));
    QVERIFY2(bool(failure) == !freed && (freed || failure->inUseAtAnotherDesk),
             qPrintable(failure ? failure->description : "no failure"));
    // Held past the wait, a load has nothing, a store and a refresh keep what was loaded.
    const qsizetype expected = freed ? (action == "store" ? 4 : 3) : (loading ? 0 : 2);
    QCOMPARE(history.hasPatientFile() ? history.stored().weighings.size() + 1 : 0, expected);
}

QTEST_GUILESS_MAIN(ChildHistoryTest)
#include "tst_child_history.moc"
