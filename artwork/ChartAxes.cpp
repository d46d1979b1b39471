#include "artwork/ChartAxes.h"

#include "artwork/ArtworkFonts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QFontMetricsF>
#include <QPainter>

namespace zelpo {

namespace {

constexpr int kLabelPixelSize = 8;
// The least space between two labels of the age axis, in logical pixels.
constexpr double kLabelGap = 2;

// Where the lines and the labels go. Over six years a line every month and a stronger one every
// year, ages labelled in years; over two years a month is three times as wide, so the stronger
// lines come every three months and every month is labelled, and the kilograms are halved.
struct AxesLayout
{
    int monthsPerMajorLine;
    int linesPerKilogram;
    int kilogramsPerMajorLine;
    int monthsPerAgeLabel;
    int kilogramsPerLabel;
    // Whether birth, 0 kg and the top weight carry labels: the whole chart leaves them bare and
    // writes its unit where the top weight's label would go.
    bool labelsTheEnds;
    QString ageTitle;
};

AxesLayout axesLayout(const ChartPlot& plot)
{
    if (plot.months > 24)
        return {12, 1, 5, 12, 5, false, QStringLiteral("Edad, años")};
    return {3, 2, 1, 1, 1, true, QStringLiteral("Edad, meses")};
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

} // namespace

void paintGrid(QPainter& painter, const ChartPlot& plot, const ChartPalette& palette,
               bool forTheDevice)
{
    const AxesLayout layout = axesLayout(plot);
    const QRectF& area = plot.area;
    const PixelSnapper snapper(painter);
    // A rectangle is filled for a third of what the same line costs stroked.
    const bool filled = forTheDevice && snapper.fillsLikeStrokes(area);
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
        for (int month = 1; month < plot.months; ++month) {
            if ((month % layout.monthsPerMajorLine == 0) != major)
                continue;
            const double x = snapper.x(plot.at(month, 0).x(), logicalWidth);
            line(QPointF(x, area.top()), QPointF(x, area.bottom()));
        }
        const int linesPerMajor = layout.linesPerKilogram * layout.kilogramsPerMajorLine;
        for (int step = 1; step < plot.kilograms * layout.linesPerKilogram; ++step) {
            if ((step % linesPerMajor == 0) != major)
                continue;
            const double kg = double(step) / layout.linesPerKilogram;
            const double y = snapper.y(plot.at(0, kg).y(), logicalWidth);
            line(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    };
    drawLines(palette.fineGrid, 0.5, false);
    drawLines(palette.majorGrid, 1.0, true);
}

void paintAxisLabels(QPainter& painter, const ChartPlot& plot, QSizeF pictureSize,
                     const ChartPalette& palette)
{
    const AxesLayout layout = axesLayout(plot);
    const QRectF& area = plot.area;
    const QRectF picture(QPointF(0, 0), pictureSize);
    painter.setFont(artworkFont(kLabelPixelSize));
    const QFontMetricsF metrics(painter.font());
    painter.setPen(palette.text);

    // From the last age back, so that the last one always shows: its line lies at the picture's
    // edge, so its label stands left of it, its ink clear of the edge at every screen scale, and
    // a label that would run into it is left out (23 months beside 24 on the boys' chart).
    const int ageStep = layout.monthsPerAgeLabel;
    const int firstAge = layout.labelsTheEnds ? 0 : ageStep;
    double nextLeft = std::numeric_limits<double>::infinity();
    for (int month = int(plot.months) / ageStep * ageStep; month >= firstAge; month -= ageStep) {
        const QString label = QString::number(month / ageStep);
        const double width = metrics.horizontalAdvance(label);
        const double centreX = plot.at(month, 0).x();
        const double inkRight = metrics.tightBoundingRect(label).right();
        const double left = std::min(centreX - width / 2, picture.right() - 2 - inkRight);
        if (left + width + kLabelGap > nextLeft)
            continue;
        painter.drawText(QPointF(left, area.bottom() + 3 + metrics.ascent()), label);
        nextLeft = left;
    }

    const double labelRight = area.left() - 3;
    const int weightStep = layout.kilogramsPerLabel;
    const int lastWeight = int(plot.kilograms) - (layout.labelsTheEnds ? 0 : weightStep);
    for (int kg = layout.labelsTheEnds ? 0 : weightStep; kg <= lastWeight; kg += weightStep) {
        const QString label = QString::number(kg);
        // The top weight's label stays whole where the plot starts a pixel or two from the top.
        const double baseline = std::max(plot.at(0, kg).y() + metrics.capHeight() / 2,
                                         picture.top() + 1 + metrics.capHeight());
        painter.drawText(QPointF(labelRight - metrics.horizontalAdvance(label), baseline), label);
    }
    // Where the top weight is labelled, the unit stands just under its label.
    const QString unit = QStringLiteral("Kg");
    const double unitBaseline =
        layout.labelsTheEnds
            ? plot.at(0, plot.kilograms - weightStep / 2.0).y() + metrics.capHeight() / 2
            : area.top() + 2 + metrics.ascent();
    painter.drawText(QPointF(labelRight - metrics.horizontalAdvance(unit), unitBaseline), unit);

    const QPointF titleCentre(area.center().x(), area.bottom() - 4 - metrics.capHeight() / 2);
    paintKnockedOutText(painter, titleCentre, layout.ageTitle, palette.text, palette.background);
}

} // namespace zelpo
