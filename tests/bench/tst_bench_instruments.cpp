#include "bench/BenchTable.h"
#include "bench/PaintRecorder.h"

#include <cmath>

#include <QTest>
#include <QWidget>

namespace {

// A window with a control, and a control inside that one, each at an offset from its parent.
struct NestedWindow
{
    QWidget window;
    QWidget* control;
    QWidget* inner;

    NestedWindow()
    {
        window.resize(300, 200);
        control = new QWidget(&window);
        control->setGeometry(50, 40, 120, 100);
        inner = new QWidget(control);
        inner->setGeometry(7, 8, 30, 30);
    }
    QWidget* byName(const QString& name)
    {
        return name == "window" ? &window : name == "control" ? control : inner;
    }
};

// Lets every pending repaint happen.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace

class BenchInstrumentsTest : public QObject
{
    Q_OBJECT

private slots:
    void medianIsTheMiddleOfTheSortedValues_data();
    void medianIsTheMiddleOfTheSortedValues();
    void recordsRepaintsInTheWindowsCoordinates_data();
    void recordsRepaintsInTheWindowsCoordinates();
    void recordsOnlyItsWindowAndOnlyWhileRecording();
    void overlappingRepaintsCountOnce();
};

void BenchInstrumentsTest::medianIsTheMiddleOfTheSortedValues_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("expected");
    QTest::newRow("one value") << QList<double>{7} << 7.0;
    QTest::newRow("odd count, unsorted") << QList<double>{9, 1, 4, 3, 8} << 4.0;
    QTest::newRow("even count: mean of the middle two") << QList<double>{4, 1, 3, 2} << 2.5;
    QTest::newRow("even count, middle two equal") << QList<double>{5, 9, 1, 5} << 5.0;
    QTest::newRow("an outlier does not pull it") << QList<double>{1, 1, 2, 1000} << 1.5;
}

void BenchInstrumentsTest::medianIsTheMiddleOfTheSortedValues()
{
    QFETCH(QList<double>, values);
    QFETCH(double, expected);
    QCOMPARE(median(values), expected);
    QVERIFY2(std::isnan(median({})), "no values gave a number");
}

void BenchInstrumentsTest::recordsRepaintsInTheWindowsCoordinates_data()
{
    QTest::addColumn<QString>("updated");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("the window itself")
        << "window" << QRect(200, 150, 20, 10) << QRect(200, 150, 20, 10);
    QTest::newRow("a control") << "control" << QRect(60, 70, 10, 5) << QRect(110, 110, 10, 5);
    QTest::newRow("a control inside a control")
        << "inner" << QRect(2, 3, 4, 5) << QRect(59, 51, 4, 5);
}

void BenchInstrumentsTest::recordsRepaintsInTheWindowsCoordinates()
{
    QFETCH(QString, updated);
    QFETCH(QRect, area);
    QFETCH(QRect, expected);
    NestedWindow nested;
    nested.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nested.window));
    settle();

    PaintRecorder recorder(nested.window);
    recorder.start();
    nested.byName(updated)->update(area);
    settle();
    recorder.stop();
    QVERIFY2(recorder.paintEvents() > 0, "no paint event was seen");
    QCOMPARE(recorder.painted(), QRegion(expected));
}

void BenchInstrumentsTest::recordsOnlyItsWindowAndOnlyWhileRecording()
{
    NestedWindow nested;
    QWidget other;
    other.resize(100, 100);
    nested.window.show();
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nested.window));
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    settle();

    PaintRecorder recorder(nested.window);
    recorder.start();
    other.update();
    settle();
    QCOMPARE(recorder.painted(), QRegion());

    nested.control->update(QRect(0, 0, 10, 10));
    settle();
    recorder.stop();
    nested.control->update(QRect(20, 20, 10, 10));
    settle();
    QCOMPARE(recorder.painted(), QRegion(50, 40, 10, 10));

    // Starting again forgets the earlier recording.
    recorder.start();
    settle();
    QCOMPARE(recorder.painted(), QRegion());
    QCOMPARE(recorder.paintEvents(), 0);
}

void BenchInstrumentsTest::overlappingRepaintsCountOnce()
{
    QCOMPARE(pixelArea(QRegion(0, 0, 10, 10) + QRegion(5, 5, 10, 10)), qint64(175));
    QCOMPARE(pixelArea(QRegion()), qint64(0));

    // The window, its control and the inner control all repaint the same pixels.
    NestedWindow nested;
    nested.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nested.window));
    settle();
    PaintRecorder recorder(nested.window);
    recorder.start();
    nested.window.update(QRect(55, 45, 10, 10));
    settle();
    recorder.stop();
    QCOMPARE(recorder.paintEvents(), 3);
    QCOMPARE(pixelArea(recorder.painted()), qint64(100));
}

QTEST_MAIN(BenchInstrumentsTest)
#include "tst_bench_instruments.moc"
