#include "procedures/ChartView.h"

namespace zelpo {

void ChartView::setFirstTwoYears(bool shown)
{
    if (shown != m_firstTwoYears) {
        m_firstTwoYears = shown;
        emit changed();
    }
}

QString chartViewName(ChartSpans spans)
{
    return spans == firstTwoYears ? QStringLiteral("Primeros dos años") : QString();
}

QString chartViewCaption(ChartSpans spans, int outOfView)
{
    const QString name = chartViewName(spans);
    if (outOfView <= 0) {
        return name;
    }
    return outOfView == 1
               ? QStringLiteral("%1: 1 medida fuera de la vista").arg(name)
               : QStringLiteral("%1: %2 medidas fuera de la vista").arg(name).arg(outOfView);
}

} // namespace zelpo
