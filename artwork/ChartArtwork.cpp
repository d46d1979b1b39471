#include "artwork/ChartArtwork.h"

#include "artwork/ArtworkFonts.h"
#include "core/ChartScale.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QFontMetricsF>
#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>

namespace zelpo {

namespace {

constexpr double kChartMonths = chartAgeSpanMonths;
constexpr double kChartKilograms = chartWeightSpanKilograms;
// The reference sampling: some four segments to a logical pixel, finer than any screen shows.
constexpr double kSampleMonths = 0.05;

constexpr double kThickWidth = 2.2;
constexpr double kThinWidth = 1.0;
constexpr double kDashedWidth = 1.3;
constexpr double kDashLength = 5.0;
constexpr double kGapLength = 3.0;

constexpr int kLabelPixelSize = 8;

struct ChartPalette
{
    QColor background;
    QColor band;
    QColor fineGrid;
    QColor majorGrid;
    QColor curve;
    QColor median;
    QColor text;
};

const ChartPalette& paletteFor(ChartSex sex)
{
    static const ChartPalette rose{
        QColor(255, 251, 252), QColor(253, 238, 243), QColor(248, 230, 236), QColor(226, 178, 195),
        QColor(180, 67, 108),  QColor(142, 35, 80),   QColor(125, 47, 77)};
    static const ChartPalette blueGrey{
        QColor(250, 252, 253), QColor(236, 242, 247), QColor(228, 234, 240), QColor(175, 191, 207),
        QColor(77, 103, 128),  QColor(47, 74, 99),    QColor(59, 81, 104)};
    return sex == ChartSex::Girls ? rose : blueGrey;
}

QPointF chartPoint(const QRectF& plot, double months, double kg)
{
    return {plot.left() + months / kChartMonths * plot.width(),
            plot.bottom() - kg / kChartKilograms * plot.height()};
}

// A page is drawn as vectors, which its reader may zoom at will: it gets the reference drawing.
ChartDrawing drawingFor(const QPainter& painter, ChartDrawing drawing)
{
    return painter.paintEngine()->type() == QPaintEngine::Pdf ? ChartDrawing::Reference : drawing;
}

// Where the curves are drawn and how finely: the plot area, the device pixels it runs across in
// one month (none for the reference drawing), and how two segments of a curve meet. Sampled for
// the device, two segments turn by a fraction of a degree, where a bevel covers the pixels of a
// round join for a fraction of its cost.
struct CurveSampling
{
    QRectF plot;
    double devicePixelsPerMonth;
    Qt::PenJoinStyle join;
};

CurveSampling curveSampling(const QPainter& painter, ChartSex sex, ChartDrawing drawing)
{
    const QRectF plot = chartPlotArea(sex);
    if (drawing == ChartDrawing::Reference)
        return {plot, 0, Qt::RoundJoin};
    const QLineF across(plot.bottomLeft(), plot.bottomRight());
    return {plot, painter.deviceTransform().map(across).length() / kChartMonths, Qt::BevelJoin};
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
    const QRectF& plot = sampling.plot;
    const double from = curve.knots[index].months;
    const double to = curve.knots[index + 1].months;
    const int steps = segmentCount(sampling, from, to);
    QPolygonF points;
    points.reserve(steps + 1);
    for (int step = 0; step <= steps; ++step) {
        const double months = from + (to - from) * step / steps;
        points << chartPoint(plot, months, kilograms(curve, months));
    }
    return points;
}

QPainterPath solidCurvePath(const CurveSampling& sampling, const PercentileCurve& curve)
{
    QPainterPath path;
    for (size_t i = 0; i + 1 < curve.knots.size(); ++i) {
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
    for (size_t i = 0; i + 1 < curve.knots.size(); ++i) {
        const DashLayout dashes = dashLayout(sampling, curve, i);
        stroker.setDashPattern(dashes.pattern);
        stroker.setDashOffset(dashes.offset);
        QPainterPath interval;
        interval.addPolygon(dashes.interval);
        outline.addPath(stroker.createStroke(interval));
    }
    return outline;
}

// Lines one device pixel (or a whole number of them) wide stay sharp only when their edges fall
// on device pixel boundaries, so the grid is nudged by at most half a device pixel.
class PixelSnapper
{
public:
    explicit PixelSnapper(const QPainter& painter) : m_transform(painter.deviceTransform()) {}

    // Pen width, in logical pixels, of a line about `logicalWidth` wide.
    double width(double logicalWidth) const { return deviceWidth(logicalWidth) / scale(); }

    double x(double x, double logicalWidth) const
    {
        return snap(x, logicalWidth, m_transform.m11(), m_transform.dx());
    }

    double y(double y, double logicalWidth) const
    {
        return snap(y, logicalWidth, m_transform.m22(), m_transform.dy());
    }

    // Whether lines running between the plot's edges, filled as rectangles, give the very pixels
    // of the same lines stroked: so when the edges fall on quarters of a device pixel, as at the
    // usual screen scales; elsewhere the rasteriser rounds a stroke's ends a shade differently.
    bool fillsLikeStrokes(const QRectF& plot) const
    {
        if (!canSnap())
            return false;
        const QRectF device = m_transform.mapRect(plot);
        const auto onQuarter = [](double edge) { return edge * 4 == std::round(edge * 4); };
        return onQuarter(device.left()) && onQuarter(device.top()) && onQuarter(device.right()) &&
               onQuarter(device.bottom());
    }

private:
    bool canSnap() const { return m_transform.type() <= QTransform::TxScale; }
    double scale() const { return canSnap() ? std::abs(m_transform.m11()) : 1.0; }

    double deviceWidth(double logicalWidth) const
    {
        return std::max(1.0, std::round(logicalWidth * scale()));
    }

    double snap(double coordinate, double logicalWidth, double scale, double offset) const
    {
        if (!canSnap() || scale == 0)
            return coordinate;
        const double lineWidth = deviceWidth(logicalWidth);
        const double device = coordinate * scale + offset;
        const double snapped = std::round(device - lineWidth / 2) + lineWidth / 2;
        return (snapped - offset) / scale;
    }

    QTransform m_transform;
};

void paintGrid(QPainter& painter, const QRectF& plot, const ChartPalette& palette,
               ChartDrawing drawing)
{
    const PixelSnapper snapper(painter);
    // A rectangle is filled for a third of what the same line costs stroked.
    const bool filled = drawing == ChartDrawing::ForTheDevice && snapper.fillsLikeStrokes(plot);
    const auto drawLines = [&](const QColor& color, double logicalWidth, bool major) {
        const double width = snapper.width(logicalWidth);
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
        const auto line = [&](QPointF from, QPointF to) {
            if (!filled) {
                painter.drawLine(from, to);
                return;
            }
            // The pen's rectangle: as wide as the pen across the line, flat at its ends.
            const QPointF half = from.x() == to.x() ? QPointF(width / 2, 0) : QPointF(0, width / 2);
            painter.fillRect(QRectF(from - half, to + half), color);
        };
        for (int month = 1; month < kChartMonths; ++month) {
            if ((month % 12 == 0) != major)
                continue;
            const double x = snapper.x(chartPoint(plot, month, 0).x(), logicalWidth);
            line(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
        for (int kg = 1; kg < kChartKilograms; ++kg) {
            if ((kg % 5 == 0) != major)
                continue;
            const double y = snapper.y(chartPoint(plot, 0, kg).y(), logicalWidth);
            line(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    };
    drawLines(palette.fineGrid, 0.5, false);
    drawLines(palette.majorGrid, 1.0, true);
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

// Text centred at a point over a patch of background, so grid and curves do not run through it.
void paintKnockedOutText(QPainter& painter, QPointF centre, const QString& text,
                         const QColor& textColor, const QColor& background)
{
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text), metrics.capHeight());
    QRectF box(QPointF(), size);
    box.moveCenter(centre);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(box.adjusted(-2, -2, 2, 2), 2, 2);
    painter.setPen(textColor);
    painter.drawText(QPointF(box.left(), box.bottom()), text);
}

void paintCurveLabels(QPainter& painter, const QRectF& plot, ChartSex sex,
                      const ChartPalette& palette)
{
    painter.setFont(artworkFont(kLabelPixelSize, QFont::Bold));
    const QFontMetricsF metrics(painter.font());
    for (const PercentileCurve& curve : percentileCurves(sex)) {
        const QString label = QString::number(curve.percentile);
        // The last few pixels of the curve stay visible to the right of its number.
        const double centreX = plot.right() - 7 - metrics.horizontalAdvance(label) / 2;
        const double months = (centreX - plot.left()) / plot.width() * kChartMonths;
        const QPointF centre(centreX, chartPoint(plot, months, kilograms(curve, months)).y());
        const QColor color = curve.percentile == 50 ? palette.median : palette.curve;
        paintKnockedOutText(painter, centre, label, color, palette.background);
    }
}

void paintAxisLabels(QPainter& painter, const QRectF& plot, ChartSex sex,
                     const ChartPalette& palette)
{
    const QRectF picture(QPointF(0, 0), QSizeF(chartPictureSize(sex)));
    painter.setFont(artworkFont(kLabelPixelSize));
    const QFontMetricsF metrics(painter.font());
    painter.setPen(palette.text);

    for (int year = 1; year <= 6; ++year) {
        const QString label = QString::number(year);
        const double width = metrics.horizontalAdvance(label);
        const double centreX = chartPoint(plot, year * 12, 0).x();
        // The last year's line lies at the picture's edge: its label stands left of it, its ink
        // clear of the edge at every screen scale.
        const double inkRight = metrics.tightBoundingRect(label).right();
        const double left = std::min(centreX - width / 2, picture.right() - 2 - inkRight);
        painter.drawText(QPointF(left, plot.bottom() + 3 + metrics.ascent()), label);
    }

    const double labelRight = plot.left() - 3;
    for (int kg = 5; kg < kChartKilograms; kg += 5) {
        const QString label = QString::number(kg);
        const double y = chartPoint(plot, 0, kg).y();
        painter.drawText(
            QPointF(labelRight - metrics.horizontalAdvance(label), y + metrics.capHeight() / 2),
            label);
    }
    const QString unit = QStringLiteral("Kg");
    painter.drawText(
        QPointF(labelRight - metrics.horizontalAdvance(unit), plot.top() + 2 + metrics.ascent()),
        unit);

    const QString title = QStringLiteral("Edad, años");
    const QPointF titleCentre(plot.center().x(), plot.bottom() - 4 - metrics.capHeight() / 2);
    paintKnockedOutText(painter, titleCentre, title, palette.text, palette.background);
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
    const CurveSampling sampling = curveSampling(painter, sex, drawingFor(painter, drawing));
    const ChartPalette& palette = paletteFor(sex);
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
            for (size_t i = 0; i + 1 < curve.knots.size(); ++i) {
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
    drawing = drawingFor(painter, drawing);
    const QRectF plot = chartPlotArea(sex);
    const ChartPalette& palette = paletteFor(sex);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), chartPictureSize(sex)), palette.background);
    paintNormalBand(painter, curveSampling(painter, sex, drawing), sex, palette);
    paintGrid(painter, plot, palette, drawing);
    for (const PercentileCurve& curve : percentileCurves(sex))
        paintPercentileCurve(painter, sex, curve, drawing);
    paintCurveLabels(painter, plot, sex, palette);
    paintAxisLabels(painter, plot, sex, palette);
    painter.restore();
}

} // namespace zelpo
