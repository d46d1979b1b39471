#pragma once

#include "core/ChartScale.h"
#include "core/PercentileCurves.h"

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;
class QString;

// What the parts of a chart picture share: the plot area with the ages and weights it spans, the
// colours of the chart's sex, and text set on a patch of background.
namespace zelpo {

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

const ChartPalette& chartPalette(ChartSex sex);

// The plot area, laid under the chart window's frame, and the months and kilograms it spans.
struct ChartPlot
{
    QRectF area;
    double months;
    double kilograms;

    QPointF at(double ageMonths, double kg) const;
};

// The plot `area` of a picture over `spans`, their days in the chart's months, six years being
// 72 months across 2190 days.
ChartPlot chartPlot(const QRectF& area, const ChartSpans& spans);

// Text centred at a point over a patch of background, so grid and curves do not run through it.
void paintKnockedOutText(QPainter& painter, QPointF centre, const QString& text,
                         const QColor& textColor, const QColor& background);

} // namespace zelpo
