#include "artwork/ArrowArtwork.h"
#include "artwork/ChartArtwork.h"
#include "artwork/ChartPictures.h"
#include "artwork/DrawnArtwork.h"
#include "artwork/IconArtwork.h"
#include "artwork/PanelArtwork.h"
#include "core/PercentileCurves.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QCoreApplication>
#include <QPainter>
#include <QTest>

using namespace zelpo;

Q_DECLARE_METATYPE(zelpo::ChartSex)
Q_DECLARE_METATYPE(zelpo::ChartSpans)

namespace {

// The printed tables, written out again here so that a slip in the program's copy shows up.
struct TabulatedCurve
{
    ChartSex sex;
    int percentile;
    std::vector<double> firstYear;  // birth, 3, 6, 9 months; empty when the curve starts at 1 year
    std::vector<double> laterYears; // 1 to 6 years
};

const std::vector<TabulatedCurve>& tabulatedCurves()
{
    static const std::vector<TabulatedCurve> table{
        {ChartSex::Girls, 97, {4.5, 6.9, 8.9, 10.6}, {11.5, 14.7, 17.6, 20.4, 23.2, 26.8}},
        {ChartSex::Girls, 90, {}, {10.7, 13.8, 16.6, 19.4, 21.8, 24.4}},
        {ChartSex::Girls, 75, {}, {10.1, 13.0, 15.7, 18.2, 20.2, 22.4}},
        {ChartSex::Girls, 50, {3.4, 5.4, 7.5, 8.7}, {9.4, 12.1, 14.4, 16.2, 17.9, 20.3}},
        {ChartSex::Girls, 25, {}, {8.7, 11.0, 13.1, 15.3, 16.8, 18.3}},
        {ChartSex::Girls, 10, {}, {7.9, 10.2, 12.3, 14.1, 15.4, 17.1}},
        {ChartSex::Girls, 3, {2.9, 4.2, 5.6, 6.7}, {7.3, 9.5, 11.4, 13.1, 14.4, 15.9}},
        {ChartSex::Boys, 97, {4.4, 7.4, 10.0, 11.4}, {12.6, 15.6, 18.5, 21.2, 23.9, 26.9}},
        {ChartSex::Boys, 90, {}, {11.6, 14.6, 17.4, 19.7, 21.9, 24.7}},
        {ChartSex::Boys, 75, {4.0, 6.2, 8.1, 9.6}, {10.6, 13.6, 16.1, 18.2, 20.5, 22.8}},
        {ChartSex::Boys, 50, {3.5, 5.4, 7.3, 8.9}, {10.1, 12.6, 14.7, 16.5, 18.4, 20.8}},
        {ChartSex::Boys, 25, {3.1, 4.9, 6.6, 8.1}, {9.2, 11.8, 13.8, 15.5, 17.1, 18.8}},
        {ChartSex::Boys, 10, {}, {8.6, 11.0, 12.7, 14.1, 15.6, 17.2}},
        {ChartSex::Boys, 3, {2.7, 4.5, 5.9, 7.0}, {7.8, 10.4, 12.0, 13.2, 14.6, 16.0}},
    };
    return table;
}

std::vector<std::pair<double, double>> monthsAndKilograms(const TabulatedCurve& row)
{
    std::vector<std::pair<double, double>> points;
    for (size_t i = 0; i < row.firstYear.size(); ++i)
        points.emplace_back(3.0 * i, row.firstYear[i]);
    for (size_t i = 0; i < row.laterYears.size(); ++i)
        points.emplace_back(12.0 * (i + 1), row.laterYears[i]);
    return points;
}

// Where the chart window lays its frame over each picture: the drawn scales must meet it.
QRectF windowFrameArea(ChartSex sex)
{
    return sex == ChartSex::Girls ? QRectF(21, 4, 363, 375) : QRectF(18, 2, 363, 375);
}

QString chartTag(ChartSex sex)
{
    return sex == ChartSex::Girls ? QStringLiteral("girls") : QStringLiteral("boys");
}

const PercentileCurve* programCurve(ChartSex sex, int percentile)
{
    for (const PercentileCurve& curve : percentileCurves(sex))
        if (curve.percentile == percentile)
            return &curve;
    return nullptr;
}

QImage transparentImage(QSize logicalSize, int pixelRatio)
{
    QImage image(logicalSize * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    return image;
}

// For a failure message: keeps the failing picture next to the test program and says where.
// Nothing is kept, and nothing said, when the check passed.
QString keptIfFailed(bool passed, const QImage& image, const QString& name)
{
    if (passed)
        return {};
    const QString path =
        QCoreApplication::applicationDirPath() + QStringLiteral("/%1.png").arg(name);
    image.save(path);
    return QStringLiteral(" (picture kept at %1)").arg(path);
}

// Alpha-weighted mean height, in logical pixels, of what is painted in one device column.
std::optional<double> paintedCentre(const QImage& image, int column)
{
    double weight = 0;
    double sum = 0;
    for (int row = 0; row < image.height(); ++row) {
        const int alpha = qAlpha(image.pixel(column, row));
        weight += alpha;
        sum += alpha * (row + 0.5);
    }
    if (weight < 128)
        return std::nullopt;
    return sum / weight / image.devicePixelRatio();
}

// Where an age (months) and a weight (kg) lie in the frame over a picture of the spans.
QPointF framePoint(ChartSex sex, ChartSpans spans, double months, double kg)
{
    const QRectF frame = windowFrameArea(sex);
    return {frame.left() + months / (spans.days / 365 * 12) * frame.width(),
            frame.bottom() - kg / (spans.grams / 1000) * frame.height()};
}

const char* viewTag(ChartSpans spans)
{
    return spans == wholeChart ? "whole chart" : "two years";
}

// Whether a grid line crosses `at`: its device pixel darker than those `apart` either side.
bool lineCrosses(const QImage& image, QPointF at, QPointF apart)
{
    const auto shade = [&](QPointF logical) {
        const QPointF device = logical * image.devicePixelRatio();
        return qGray(image.pixel(int(device.x()), int(device.y())));
    };
    return shade(at) + 8 < std::min(shade(at - apart), shade(at + apart));
}

} // namespace

class ArtworkTest : public QObject
{
    Q_OBJECT

private slots:
    void curvesAreMonotoneAndPassThroughTheTable();
    void drawnCurvesPassWithinAFifthOfAKiloOfEveryTabulatedWeight_data();
    void drawnCurvesPassWithinAFifthOfAKiloOfEveryTabulatedWeight();
    void chartFillsItsWholePictureAtEveryPixelRatio_data();
    void chartFillsItsWholePictureAtEveryPixelRatio();
    void twoYearsChartHasItsGridLinesWhereTheFrameSpansPutThem_data();
    void twoYearsChartHasItsGridLinesWhereTheFrameSpansPutThem();
    void panelCardIsTheGreyTheControlsSitOn();
    void arrowTipIsOpaqueBlueAndTheFarCornerClear();
    void iconShowsBothFramesAtWindowSizes_data();
    void iconShowsBothFramesAtWindowSizes();
    void chartsDrawnForTheScreenStayWithinTheirLimitOfTheReference_data();
    void chartsDrawnForTheScreenStayWithinTheirLimitOfTheReference();
};

void ArtworkTest::curvesAreMonotoneAndPassThroughTheTable()
{
    for (const TabulatedCurve& row : tabulatedCurves()) {
        const QString name = QStringLiteral("%1 %2").arg(chartTag(row.sex)).arg(row.percentile);
        const PercentileCurve* curve = programCurve(row.sex, row.percentile);
        QVERIFY2(curve, qPrintable(name + QStringLiteral(" is missing")));
        const auto points = monthsAndKilograms(row);
        QVERIFY2(curve->startMonths == points.front().first,
                 qPrintable(QStringLiteral("%1 starts at %2 months, not %3")
                                .arg(name)
                                .arg(curve->startMonths)
                                .arg(points.front().first)));
        for (const auto& [months, kg] : points)
            QVERIFY2(std::abs(kilograms(*curve, months) - kg) < 1e-9,
                     qPrintable(QStringLiteral("%1 gives %2 kg at %3 months instead of %4")
                                    .arg(name)
                                    .arg(kilograms(*curve, months))
                                    .arg(months)
                                    .arg(kg)));
        double previous = kilograms(*curve, curve->startMonths);
        for (double months = curve->startMonths; months <= 72; months += 0.05) {
            const double kg = kilograms(*curve, months);
            QVERIFY2(kg >= previous - 1e-12,
                     qPrintable(QStringLiteral("%1 falls from %2 to %3 kg at %4 months")
                                    .arg(name)
                                    .arg(previous)
                                    .arg(kg)
                                    .arg(months)));
            previous = kg;
        }
    }
    QCOMPARE(percentileCurves(ChartSex::Girls).size(), size_t(7));
    QCOMPARE(percentileCurves(ChartSex::Boys).size(), size_t(7));
}

void ArtworkTest::drawnCurvesPassWithinAFifthOfAKiloOfEveryTabulatedWeight_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pixelRatio");
    QTest::addColumn<ChartSpans>("spans");
    for (const ChartSpans spans : {wholeChart, firstTwoYears})
        for (int pixelRatio : {1, 2})
            for (size_t i = 0; i < tabulatedCurves().size(); ++i) {
                const TabulatedCurve& row = tabulatedCurves()[i];
                QTest::addRow("%s %d at %dx, %s", qPrintable(chartTag(row.sex)), row.percentile,
                              pixelRatio, viewTag(spans))
                    << int(i) << pixelRatio << spans;
            }
}

void ArtworkTest::drawnCurvesPassWithinAFifthOfAKiloOfEveryTabulatedWeight()
{
    QFETCH(int, row);
    QFETCH(int, pixelRatio);
    QFETCH(ChartSpans, spans);
    const TabulatedCurve& table = tabulatedCurves()[row];
    const PercentileCurve* curve = programCurve(table.sex, table.percentile);
    QVERIFY(curve);
    const QRectF plot = windowFrameArea(table.sex);
    QImage image = transparentImage(chartPictureSize(table.sex), pixelRatio);
    {
        QPainter painter(&image);
        paintPercentileCurve(painter, table.sex, *curve, spans);
    }
    const QString name = QStringLiteral("curve-%1-%2-%3x-%4")
                             .arg(chartTag(table.sex))
                             .arg(table.percentile)
                             .arg(pixelRatio)
                             .arg(spans.days);

    QStringList misses;
    const double maxColumn = std::floor(plot.right() * pixelRatio) - 1;
    for (const auto& [months, kg] : monthsAndKilograms(table)) {
        if (months > spans.days / 365 * 12)
            continue;
        const double x = framePoint(table.sex, spans, months, kg).x();
        const int column =
            int(std::clamp(std::floor(x * pixelRatio), plot.left() * pixelRatio, maxColumn));
        // A dash gap may fall on the column; the nearest painted column stands in for it.
        std::optional<double> centre;
        for (int step = 0; step <= 3 * pixelRatio && !centre; ++step)
            for (int candidate : {column - step, column + step})
                if (!centre && candidate >= 0 && candidate < image.width())
                    centre = paintedCentre(image, candidate);
        const double expected = framePoint(table.sex, spans, months, kg).y();
        if (!centre)
            misses << QStringLiteral("nothing drawn near %1 months").arg(months);
        else if (std::abs(*centre - expected) > 2.5)
            misses << QStringLiteral("at %1 months the curve is at y %2, %3 kg is at y %4")
                          .arg(months)
                          .arg(*centre)
                          .arg(kg)
                          .arg(expected);
    }

    if (table.firstYear.empty()) {
        // Nothing of the curve may show in the first year beyond half its pen width.
        const double firstYearEnd = (framePoint(table.sex, spans, 12, 0).x() - 1.1) * pixelRatio;
        for (int column = 0; column < firstYearEnd && misses.isEmpty(); ++column)
            for (int y = 0; y < image.height(); ++y)
                if (qAlpha(image.pixel(column, y)) != 0) {
                    misses << QStringLiteral("paint at device pixel (%1, %2), before one year")
                                  .arg(column)
                                  .arg(y);
                    break;
                }
    }
    QVERIFY2(misses.isEmpty(), qPrintable(misses.join(QStringLiteral("; ")) +
                                          keptIfFailed(misses.isEmpty(), image, name)));
}

void ArtworkTest::chartFillsItsWholePictureAtEveryPixelRatio_data()
{
    QTest::addColumn<ChartSex>("sex");
    QTest::addColumn<int>("pixelRatio");
    for (int pixelRatio : {1, 2}) {
        QTest::addRow("girls at %dx", pixelRatio) << ChartSex::Girls << pixelRatio;
        QTest::addRow("boys at %dx", pixelRatio) << ChartSex::Boys << pixelRatio;
    }
}

void ArtworkTest::chartFillsItsWholePictureAtEveryPixelRatio()
{
    QFETCH(ChartSex, sex);
    QFETCH(int, pixelRatio);
    QImage image = transparentImage(chartPictureSize(sex), pixelRatio);
    {
        QPainter painter(&image);
        paintChart(painter, sex);
    }
    const QString name = QStringLiteral("chart-%1-%2x").arg(chartTag(sex)).arg(pixelRatio);
    QCOMPARE(image.deviceIndependentSize().toSize(),
             sex == ChartSex::Girls ? QSize(391, 397) : QSize(382, 395));
    QCOMPARE(chartPlotArea(sex), windowFrameArea(sex));
    int unpainted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            unpainted += qAlpha(image.pixel(x, y)) != 255;
    const QRgb corner = image.pixel(image.width() - 1, 0);
    const bool nearWhite = qRed(corner) > 240 && qGreen(corner) > 240 && qBlue(corner) > 240;
    QVERIFY2(unpainted == 0,
             qPrintable(QStringLiteral("%1 pixels left see-through").arg(unpainted) +
                        keptIfFailed(unpainted == 0, image, name)));
    QVERIFY2(nearWhite, qPrintable(QStringLiteral("background is not near white") +
                                   keptIfFailed(nearWhite, image, name)));
}

void ArtworkTest::twoYearsChartHasItsGridLinesWhereTheFrameSpansPutThem_data()
{
    QTest::addColumn<ChartSex>("sex");
    QTest::addColumn<int>("pixelRatio");
    for (int pixelRatio : {1, 2})
        for (const ChartSex sex : {ChartSex::Girls, ChartSex::Boys})
            QTest::addRow("%s at %dx", qPrintable(chartTag(sex)), pixelRatio) << sex << pixelRatio;
}

void ArtworkTest::twoYearsChartHasItsGridLinesWhereTheFrameSpansPutThem()
{
    QFETCH(ChartSex, sex);
    QFETCH(int, pixelRatio);
    const QImage image = chartPicture(sex, firstTwoYears, chartPictureSize(sex), pixelRatio);
    QCOMPARE(image.size(), chartPictureSize(sex) * pixelRatio);
    // Kept once drawn: asked again, the very same picture; at another ratio, drawn afresh.
    QCOMPARE(chartPicture(sex, firstTwoYears, chartPictureSize(sex), pixelRatio).cacheKey(),
             image.cacheKey());
    QCOMPARE(chartPicture(sex, firstTwoYears, chartPictureSize(sex), 3 - pixelRatio).size(),
             chartPictureSize(sex) * (3 - pixelRatio));
    // Month lines across a row at 1.25 kg, below the curves; kilogram lines up the column at
    // half a month, above them. Twelve months and 8 kg cross at the frame's centre.
    QStringList misses;
    for (const double months : {3.0, 6.0, 12.0, 18.0})
        if (!lineCrosses(image, framePoint(sex, firstTwoYears, months, 1.25), QPointF(3, 0)))
            misses << QStringLiteral("%1 months").arg(months);
    for (const double kg : {6.0, 8.0, 12.0, 13.5})
        if (!lineCrosses(image, framePoint(sex, firstTwoYears, 0.5, kg), QPointF(0, 3)))
            misses << QStringLiteral("%1 kg").arg(kg);
    QCOMPARE(framePoint(sex, firstTwoYears, 12, 8), windowFrameArea(sex).center());
    QVERIFY2(
        misses.isEmpty(),
        qPrintable(QStringLiteral("no grid line found for ") + misses.join(", ") +
                   keptIfFailed(misses.isEmpty(), image,
                                QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'))));
}

void ArtworkTest::panelCardIsTheGreyTheControlsSitOn()
{
    for (int pixelRatio : {1, 2}) {
        QImage image = transparentImage(kPanelPictureSize, pixelRatio);
        {
            QPainter painter(&image);
            paintPanel(painter);
        }
        QStringList faults;
        for (QPoint logical : {QPoint(30, 135), QPoint(99, 240), QPoint(168, 350)})
            if (image.pixel(logical * pixelRatio) != qRgb(222, 222, 222))
                faults << QStringLiteral("card at (%1, %2) is not grey 222")
                              .arg(logical.x())
                              .arg(logical.y());
        if (image.pixel(0, image.height() / 2) != qRgb(255, 255, 255))
            faults << QStringLiteral("left border is not white");
        QVERIFY2(faults.isEmpty(),
                 qPrintable(faults.join(QStringLiteral("; ")) +
                            keptIfFailed(faults.isEmpty(), image,
                                         QStringLiteral("panel-%1x").arg(pixelRatio))));
    }
}

void ArtworkTest::arrowTipIsOpaqueBlueAndTheFarCornerClear()
{
    for (int pixelRatio : {1, 2}) {
        QImage image = transparentImage(kArrowPictureSize, pixelRatio);
        {
            QPainter painter(&image);
            paintArrow(painter);
        }
        QStringList faults;
        const int tip = 3 * pixelRatio;
        double red = 0, green = 0, blue = 0;
        int minAlpha = 255;
        for (int y = 0; y < tip; ++y)
            for (int x = 0; x < tip; ++x) {
                const QRgb pixel = image.pixel(x, y);
                minAlpha = std::min(minAlpha, qAlpha(pixel));
                red += qRed(pixel);
                green += qGreen(pixel);
                blue += qBlue(pixel);
            }
        if (minAlpha != 255)
            faults << QStringLiteral("tip not opaque");
        if (blue <= red * 1.5 || blue <= green * 1.2)
            faults << QStringLiteral("tip is not blue");
        const int corner = 2 * pixelRatio;
        for (int y = image.height() - corner; y < image.height(); ++y)
            for (int x = image.width() - corner; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    faults
                        << QStringLiteral("bottom-right corner painted at (%1, %2)").arg(x).arg(y);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(faults.join(QStringLiteral("; ")) +
                            keptIfFailed(faults.isEmpty(), image,
                                         QStringLiteral("arrow-%1x").arg(pixelRatio))));
    }
}

void ArtworkTest::iconShowsBothFramesAtWindowSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("32") << 32;
    QTest::newRow("48") << 48;
}

void ArtworkTest::iconShowsBothFramesAtWindowSizes()
{
    QFETCH(int, size);
    const QImage image = renderIconImage(size);
    QCOMPARE(image.size(), QSize(size, size));
    bool red = false;
    bool lightBlue = false;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const QColor color = image.pixelColor(x, y);
            red = red || (color.alpha() == 255 && color.red() > 180 && color.green() < 90 &&
                          color.blue() < 90);
            lightBlue = lightBlue || (color.alpha() == 255 && color.blue() > 200 &&
                                      color.red() < 150 && color.green() > 150);
        }
    const QString name = QStringLiteral("icon-%1").arg(size);
    QVERIFY2(red && lightBlue,
             qPrintable(QStringLiteral("red frame shown: %1, light blue frame shown: %2")
                            .arg(red)
                            .arg(lightBlue) +
                        keptIfFailed(red && lightBlue, image, name)));
}

void ArtworkTest::chartsDrawnForTheScreenStayWithinTheirLimitOfTheReference_data()
{
    QTest::addColumn<QImage>("shown");
    QTest::addColumn<QImage>("reference");
    const auto chart = [](ChartSex sex, qreal pixelRatio, ChartDrawing drawing) {
        return drawArtwork(chartPictureSize(sex), pixelRatio, true,
                           [=](QPainter& painter) { paintChart(painter, sex, drawing); });
    };
    // Away from one device pixel to the logical one a chart is drawn for the screen as it is
    // first shown, with as few segments as the screen's pixels need.
    for (const qreal pixelRatio : {1.25, 1.5, 2.0})
        for (const ChartSex sex : {ChartSex::Girls, ChartSex::Boys})
            QTest::addRow("%s chart at %gx", qPrintable(chartTag(sex)), pixelRatio)
                << chart(sex, pixelRatio, ChartDrawing::ForTheDevice)
                << chart(sex, pixelRatio, ChartDrawing::Reference);
}

void ArtworkTest::chartsDrawnForTheScreenStayWithinTheirLimitOfTheReference()
{
    QFETCH(QImage, shown);
    QFETCH(QImage, reference);
    constexpr int limit = 12; // the largest difference allowed on any channel, of 255
    QCOMPARE(shown.format(), reference.format());
    QCOMPARE(shown.size(), reference.size());
    int largest = 0;
    qint64 differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = reference.pixel(x, y);
            const int apart =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                          std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            largest = std::max(largest, apart);
            differing += apart > 0;
        }
    QVERIFY2(
        largest <= limit,
        qPrintable(QStringLiteral("%1 of 255 apart from the reference drawing, %2 pixels of %3 "
                                  "differ")
                       .arg(largest)
                       .arg(differing)
                       .arg(qint64(shown.width()) * shown.height()) +
                   keptIfFailed(largest <= limit, shown,
                                QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'))));
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
