#include "artwork/ChartArtwork.h"

#include "artwork/ArtworkFonts.h"
#include "artwork/ChartAxes.h"
#include "artwork/ChartPlot.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>

namespace zelpo {

namespace {

// The reference sampling: some four segments to a logical pixel, finer than any screen shows.
constexpr double kSampleMonths = 0.05;

constexpr double kThickWidth = 2.2;
constexpr double kThinWidth = 1.0;
constexpr double kDashedWidth = 1.3;
constexpr double kDashLength = 5.0;
constexpr double kGapLength = 3.0;

constexpr int kLabelPixelSize = 8;

// A page is drawn as vectors, which its reader may zoom at will: it gets the reference drawing.
ChartDrawing drawingFor(const QPainter& painter, ChartDrawing drawing)
{
    return painter.paintEngine()->type() == QPaintEngine::Pdf ? ChartDrawing::Reference : drawing;
}

// Where the curves are drawn and how finely: the plot, the device pixels it runs across in one
// month (none for the reference drawing), and how two segments of a curve meet. Sampled for the
// device, two segments turn by a fraction of a degree, where a bevel covers the pixels of a round
// join for a fraction of its cost.
struct CurveSampling
{
    ChartPlot plot;
    double devicePixelsPerMonth;
    Qt::PenJoinStyle join;
};

CurveSampling curveSampling(const QPainter& painter, const ChartPlot& plot, ChartDrawing drawing)
{
    if (drawing == ChartDrawing::Reference)
        return {plot, 0, Qt::RoundJoin};
    const QLineF across(plot.area.bottomLeft(), plot.area.bottomRight());
    return {plot, painter.deviceTransform().map(across).length() / plot.months, Qt::BevelJoin};
}

// The knot intervals the plot shows: those that begin before its last month. A curve is drawn
// from its first tabulated value, as far as the plot reaches.
size_t intervalsShown(const CurveSampling& sampling, const PercentileCurve& curve)
{
    size_t count = 0;
    while (count + 1 < curve.knots.size() && curve.knots[count].months < sampling.plot.months)
        ++count;
    return count;
}

// Segments between two knots: one every kSampleMonths, or for the device at most one for each
// device pixel across, where a finer polyline only costs time and gives the same pixels.
int segmentCount(const CurveSampling& sampling, double from, double to)
{
    const int reference = std::max(8, static_cast<int>(std::ceil((to - from) / kSampleMonths)));
    if (sampling.devicePixelsPerMonth <= 0)
        return reference;
    return std::clamp(static_cast<int>((to - from) * sampling.devicePixelsPerMonth), 1, reference);
}

// The curve between knot `index` and the next one, sampled so that both knots are exact points.
QPolygonF knotInterval(const CurveSampling& sampling, const PercentileCurve& curve, size_t index)
{
    const ChartPlot& plot = sampling.plot;
    const double from = curve.knots[index].months;
    const double to = std::min(curve.knots[index + 1].months, plot.months);
    const int steps = segmentCount(sampling, from, to);
    QPolygonF points;
    points.reserve(steps + 1);
    for (int step = 0; step <= steps; ++step) {
        const double months = from + (to - from) * step / steps;
        points << plot.at(months, kilograms(curve, months));
    }
    return points;
}

QPainterPath solidCurvePath(const CurveSampling& sampling, const PercentileCurve& curve)
{
    QPainterPath path;
    for (size_t i = 0; i < intervalsShown(sampling, curve); ++i) {
        const QPolygonF points = knotInterval(sampling, curve, i);
        if (i == 0)
            path.moveTo(points.front());
        for (qsizetype p = 1; p < points.size(); ++p)
            path.lineTo(points[p]);
    }
    return path;
}

// The dashes between knot `index` and the next, stretched so that a whole dash is centred on
// every tabulated value: the printed values never fall in a gap. Pattern and offset are in pen
// widths.
struct DashLayout
{
    QPolygonF interval;
    QList<qreal> pattern;
    qreal offset;
};

DashLayout dashLayout(const CurveSampling& sampling, const PercentileCurve& curve, size_t index)
{
    DashLayout dashes{knotInterval(sampling, curve, index), {}, 0};
    QPainterPath interval;
    interval.addPolygon(dashes.interval);
    const double period = kDashLength + kGapLength;
    const double periods = std::max(1.0, std::round(interval.length() / period));
    const double stretch = interval.length() / (periods * period) / kDashedWidth;
    dashes.pattern = {kDashLength * stretch, kGapLength * stretch};
    dashes.offset = kDashLength * stretch / 2;
    return dashes;
}

// Outline of a dashed curve, laid out afresh between each pair of knots.
QPainterPath dashedCurveOutline(const CurveSampling& sampling, const PercentileCurve& curve)
{
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    QPainterPathStroker stroker;
    stroker.setWidth(kDashedWidth);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(sampling.join);
    for (size_t i = 0; i < intervalsShown(sampling, curve); ++i) {
        const DashLayout dashes = dashLayout(sampling, curve, i);
        stroker.setDashPattern(dashes.pattern);
        stroker.setDashOffset(dashes.offset);
        QPainterPath interval;
        interval.addPolygon(dashes.interval);
        outline.addPath(stroker.createStroke(interval));
    }
    return outline;
}

// A soft band between the outermost curves, where most children's weights lie.
void paintNormalBand(QPainter& painter, const CurveSampling& sampling, ChartSex sex,
                     const ChartPalette& palette)
{
    const auto& curves = percentileCurves(sex);
    const QPainterPath top = solidCurvePath(sampling, curves.front());
    const QPainterPath bottom = solidCurvePath(sampling, curves.back());
    QPainterPath band = top;
    band.connectPath(bottom.toReversed());
    band.closeSubpath();
    painter.fillPath(band, palette.band);
}

void paintCurveLabels(QPainter& painter, const ChartPlot& plot, ChartSex sex,
                      const ChartPalette& palette)
{
    const QRectF& area = plot.area;
    painter.setFont(artworkFont(kLabelPixelSize, QFont::Bold));
    const QFontMetricsF metrics(painter.font());
    for (const PercentileCurve& curve : percentileCurves(sex)) {
        const QString label = QString::number(curve.percentile);
        // The last few pixels of the curve stay visible to the right of its number.
        const double centreX = area.right() - 7 - metrics.horizontalAdvance(label) / 2;
        const double months = (centreX - area.left()) / area.width() * plot.months;
        if (months < curve.startMonths)
            continue;
        const QPointF centre(centreX, plot.at(months, kilograms(curve, months)).y());
        const QColor color = curve.percentile == 50 ? palette.median : palette.curve;
        paintKnockedOutText(painter, centre, label, color, palette.background);
    }
}

} // namespace

QSize chartPictureSize(ChartSex sex)
{
    return sex == ChartSex::Girls ? QSize(391, 397) : QSize(382, 395);
}

QRectF chartPlotArea(ChartSex sex)
{
    return sex == ChartSex::Girls ? QRectF(21, 4, 363, 375) : QRectF(18, 2, 363, 375);
}

void paintPercentileCurve(QPainter& painter, ChartSex sex, const PercentileCurve& curve,
                          ChartDrawing drawing)
{
    paintPercentileCurve(painter, sex, curve, wholeChart, drawing);
}

void paintPercentileCurve(QPainter& painter, ChartSex sex, const PercentileCurve& curve,
                          const ChartSpans& spans, ChartDrawing drawing)
{
    const CurveSampling sampling =
        curveSampling(painter, chartPlot(chartPlotArea(sex), spans), drawingFor(painter, drawing));
    const ChartPalette& palette = chartPalette(sex);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (curve.percentile == 50 || curve.percentile == 90 || curve.percentile == 10) {
        const bool median = curve.percentile == 50;
        painter.setPen(QPen(median ? palette.median : palette.curve,
                            median ? kThickWidth : kThinWidth, Qt::SolidLine, Qt::FlatCap,
                            sampling.join));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(solidCurvePath(sampling, curve));
    } else {
        if (painter.paintEngine()->type() == QPaintEngine::Pdf) {
            // A page keeps the dashes as a pen of its own: the outline of every dash would make
            // the page several times larger and slower to write, for the same dashes.
            painter.setBrush(Qt::NoBrush);
            for (size_t i = 0; i < intervalsShown(sampling, curve); ++i) {
                const DashLayout dashes = dashLayout(sampling, curve, i);
                QPen pen(palette.curve, kDashedWidth, Qt::CustomDashLine, Qt::FlatCap,
                         Qt::RoundJoin);
                pen.setDashPattern(dashes.pattern);
                pen.setDashOffset(dashes.offset);
                painter.setPen(pen);
                painter.drawPolyline(dashes.interval);
            }
        } else {
            painter.fillPath(dashedCurveOutline(sampling, curve), palette.curve);
        }
    }
    painter.restore();
}

void paintChart(QPainter& painter, ChartSex sex, ChartDrawing drawing)
{
    paintChart(painter, sex, wholeChart, drawing);
}

void paintChart(QPainter& painter, ChartSex sex, const ChartSpans& spans, ChartDrawing drawing)
{
    drawing = drawingFor(painter, drawing);
    const ChartPlot plot = chartPlot(chartPlotArea(sex), spans);
    const ChartPalette& palette = chartPalette(sex);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), chartPictureSize(sex)), palette.background);
    paintNormalBand(painter, curveSampling(painter, plot, drawing), sex, palette);
    paintGrid(painter, plot, palette, drawing == ChartDrawing::ForTheDevice);
    for (const PercentileCurve& curve : percentileCurves(sex))
        paintPercentileCurve(painter, sex, curve, spans, drawing);
    paintCurveLabels(painter, plot, sex, palette);
    paintAxisLabels(painter, plot, QSizeF(chartPictureSize(sex)), palette);
    painter.restore();
}

} // namespace zelpo
