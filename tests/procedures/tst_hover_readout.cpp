#include "forms/FormLabel.h"
#include "forms/Line.h"
#include "forms/MarkerLayer.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryOnChart.h"
#include "procedures/HoverReadout.h"
#include "support/TestFiles.h"

#include <memory>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

using namespace zelpo;

namespace {

// The cross-hair lines' ends and visibility and the status text, as one comparable line.
QString readoutOf(const PerZelpo& window)
{
    const Line& v = *window.Line2();
    const Line& h = *window.Line3();
    return QString("Line2 %1 x %2 %3 y %4 %5 | Line3 %6 x %7 %8 y %9 %10 | ")
               .arg(v.isHidden() ? "hidden" : "shown")
               .arg(v.x1())
               .arg(v.x2())
               .arg(v.y1())
               .arg(v.y2())
               .arg(h.isHidden() ? "hidden" : "shown")
               .arg(h.x1())
               .arg(h.x2())
               .arg(h.y1())
               .arg(h.y2()) +
           window.Label5()->text();
}

// Shown lines keep their layout's other ends: Line2 runs from 465 to 6030, Line3 from 8835 to
// 3435.
QString shownAt(int x, int y, const QString& caption)
{
    return QString("Line2 shown x %1 %1 y 465 6030 | Line3 shown x 8835 3435 y %2 %2 | %3")
        .arg(x)
        .arg(y)
        .arg(caption);
}

// With the left button held, moves go to the control under the press wherever the pointer is.
void dragOver(QWidget* control, QPoint pixel)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel), control->mapToGlobal(QPointF(pixel)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

// Adds up the pixels a control repaints.
class PaintedArea : public QObject
{
public:
    explicit PaintedArea(QWidget* watched) { watched->installEventFilter(this); }
    qint64 pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            for (const QRect& rect : static_cast<QPaintEvent*>(event)->region()) {
                pixels += qint64(rect.width()) * rect.height();
            }
        }
        return false;
    }
};

// Returns once every repaint asked for so far has been painted: the window paints all that is due
// in one pass, so once `other`, asked to repaint after them, has been painted, so have they.
bool repaintsDone(QWidget* other)
{
    PaintedArea painted(other);
    other->update();
    return QTest::qWaitFor([&painted] { return painted.pixels > 0; });
}

const QPoint bareWindow{3, 3}; // client-area pixels no control covers
const QPoint chartPoint{182, 188};
const QString atChartPoint = shownAt(5865, 3225,
                                     "Zelpo : 015120 gramos    Edad : 000989 dias. "
                                     "(0032 meses.)");

} // namespace

class HoverReadoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void followsThePointerOverTheChartPicture_data();
    void followsThePointerOverTheChartPicture();
    void hidesOverTheBareWindowAndTheLeftPanel();
    void ignoresButtonsAndClampsDragsFarOffThePicture();
    void repaintsLittleMoreThanTheLinesPerMove();
    void theFirstTwoYearsReadEachMarkerAsPlacedAndLeaveOutTheRest();

private:
    std::unique_ptr<PerZelpo> m_window;
};

void HoverReadoutTest::init()
{
    m_window = std::make_unique<PerZelpo>();
    PerZelpo* window = m_window.get();
    // As the chart window's event wiring connects them: position only, buttons ignored.
    connect(window->Image3(), &Picture::mouseMoved, window,
            [window](float x, float y) { showReadout(*window, x, y, ChartPicture::Image3); });
    connect(window->Image4(), &Picture::mouseMoved, window,
            [window](float x, float y) { showReadout(*window, x, y, ChartPicture::Image4); });
    connect(window->Image1(), &Picture::mouseMoved, window, [window] { hideReadout(*window); });
    connect(window, &PerZelpo::mouseMoved, window, [window] { hideReadout(*window); });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void HoverReadoutTest::followsThePointerOverTheChartPicture_data()
{
    QTest::addColumn<bool>("girlsChart");
    QTest::addColumn<QPoint>("pixel"); // 15 twips each
    QTest::addColumn<QString>("readout");

    QTest::newRow("Image4, frame lower-left") << false << QPoint(18, 377)
                                              << shownAt(3405, 6060,
                                                         "Zelpo : 000000 gramos    Edad : "
                                                         "000000 dias. (0000 meses.)");
    QTest::newRow("Image4, frame upper-right") << false << QPoint(381, 2)
                                               << shownAt(8850, 435,
                                                          "Zelpo : 030000 gramos    Edad : "
                                                          "002190 dias. (0072 meses.)");
    QTest::newRow("Image4, inside the frame") << false << chartPoint << atChartPoint;
    QTest::newRow("Image3, inside the frame") << true << QPoint(30, 30)
                                              << shownAt(3545, 830,
                                                         "Zelpo : 027893 gramos    Edad : "
                                                         "000056 dias. (0001 meses.)");
}

void HoverReadoutTest::followsThePointerOverTheChartPicture()
{
    QFETCH(bool, girlsChart);
    QFETCH(QPoint, pixel);
    QFETCH(QString, readout);
    m_window->Image3()->setVisible(girlsChart);
    m_window->Image4()->setVisible(!girlsChart);
    QTest::mouseMove(girlsChart ? m_window->Image3() : m_window->Image4(), pixel);
    QCOMPARE(readoutOf(*m_window), readout);

    // The newest-point arrow lies over the chart and leaves the readout as it was.
    m_window->Image2()->show();
    QTest::mouseMove(m_window->Image2());
    QCOMPARE(readoutOf(*m_window), readout);
}

void HoverReadoutTest::hidesOverTheBareWindowAndTheLeftPanel()
{
    // The lines stay where they were, hidden, and the status text is empty.
    const QString hidden("Line2 hidden x 5865 5865 y 465 6030 | "
                         "Line3 hidden x 8835 3435 y 3225 3225 | ");
    for (const auto& [area, point] : {std::pair<QWidget*, QPoint>{m_window.get(), bareWindow},
                                      {m_window->Image1(), QPoint(3, 200)}}) {
        QTest::mouseMove(m_window->Image4(), chartPoint);
        QCOMPARE(readoutOf(*m_window), atChartPoint);
        QTest::mouseMove(area, point);
        QCOMPARE(readoutOf(*m_window), hidden);
        QTest::mouseMove(area, point + QPoint(2, 3));
        QCOMPARE(readoutOf(*m_window), hidden);
    }
}

void HoverReadoutTest::ignoresButtonsAndClampsDragsFarOffThePicture()
{
    dragOver(m_window->Image4(), chartPoint);
    QCOMPARE(readoutOf(*m_window), atChartPoint);
    // Dragged far left of and below the picture: the nearest point is its bottom-left corner.
    dragOver(m_window->Image4(), QPoint(-5000, 90000));
    QCOMPARE(readoutOf(*m_window),
             shownAt(3135, 6330, "Zelpo : 0-1440 gramos    Edad : 00-109 dias. (00-4 meses.)"));
    dragOver(m_window.get(), bareWindow);
    QVERIFY2(m_window->Line2()->isHidden() && m_window->Label5()->text().isEmpty(),
             qPrintable(readoutOf(*m_window)));
}

void HoverReadoutTest::repaintsLittleMoreThanTheLinesPerMove()
{
    Picture* chart = m_window->Image4();
    // The lines the first move shows are painted before the next move is counted.
    QTest::mouseMove(chart, chartPoint);
    QVERIFY(repaintsDone(m_window->Image1()));
    PaintedArea painted(chart);
    QTest::mouseMove(chart, chartPoint + QPoint(3, 2));
    QVERIFY(repaintsDone(m_window->Image1()));
    QVERIFY2(painted.pixels > 0, "the chart was not repainted where the lines moved");
    const qint64 wholeChart = qint64(chart->width()) * chart->height();
    QVERIFY2(painted.pixels * 20 < wholeChart,
             qPrintable(QString("a move of a few pixels repainted %1 of the chart's %2 pixels")
                            .arg(painted.pixels)
                            .arg(wholeChart)));
}

void HoverReadoutTest::theFirstTwoYearsReadEachMarkerAsPlacedAndLeaveOutTheRest()
{
    // A boy weighed at 731 days and at 700 days with 16001 g, both past the view, then at 365 days
    // with 8000 g, the view's centre. The scales' agreement at their edges is the core's to test;
    // here the window places and reads on the view's.
    QTemporaryDir folder;
    QVERIFY(writeBytes(folder.filePath("0000001V.CRV"),
                       "\"01/01/2020\"\r\n\"01/01/20220000009000\"\r\n\"01/12/20210000016001\"\r\n"
                       "\"31/12/20200000008000\"\r\n"));
    ChildHistory history(folder.path(), {"1", true});
    QVERIFY(!history.load({"1", true}).failure);
    ChartView view;
    view.setFirstTwoYears(true);
    HistoryOnChart chart(*m_window, history, view);
    QCOMPARE(m_window->Label9()->text(), "Primeros dos años: 2 medidas fuera de la vista");
    QVERIFY(m_window->sh(1)->isHidden() && !m_window->Label9()->isHidden());
    // Over Image4 the cross-hair passes through the pointer: the marker's centre reads it back.
    const TwipRect boys = m_window->Image4()->twipRect();
    const TwipRect box = m_window->sh(0)->twipRect();
    showReadout(*m_window, box.left + 75 - boys.left, box.top + 67.5f - boys.top,
                ChartPicture::Image4, view.spans());
    QCOMPARE(m_window->Label5()->text(),
             "Zelpo : 008000 gramos    Edad : 000365 dias. (0012 meses.)");
    view.setFirstTwoYears(false);
    QVERIFY(!m_window->sh(2)->isHidden() && m_window->Label9()->isHidden());
}

QTEST_MAIN(HoverReadoutTest)
#include "tst_hover_readout.moc"
