#include "artwork/ChartPlot.h"

#include <QFontMetricsF>
#include <QPainter>

namespace zelpo {

namespace {

constexpr double kWholeChartMonths = chartAgeSpanMonths;
constexpr double kGramsPerKilogram = 1000;

} // namespace

const ChartPalette& chartPalette(ChartSex sex)
{
    static const ChartPalette rose{
        QColor(255, 251, 252), QColor(253, 238, 243), QColor(248, 230, 236), QColor(226, 178, 195),
        QColor(180, 67, 108),  QColor(142, 35, 80),   QColor(125, 47, 77)};
    static const ChartPalette blueGrey{
        QColor(250, 252, 253), QColor(236, 242, 247), QColor(228, 234, 240), QColor(175, 191, 207),
        QColor(77, 103, 128),  QColor(47, 74, 99),    QColor(59, 81, 104)};
    return sex == ChartSex::Girls ? rose : blueGrey;
}

QPointF ChartPlot::at(double ageMonths, double kg) const
{
    return {area.left() + ageMonths / months * area.width(),
            area.bottom() - kg / kilograms * area.height()};
}

ChartPlot chartPlot(const QRectF& area, const ChartSpans& spans)
{
    // Multiplied before dividing, so that whole years come out as whole months: 730 days are 24.
    return {area, spans.days * kWholeChartMonths / chartAgeSpanDays,
            spans.grams / kGramsPerKilogram};
}

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

} // namespace zelpo
