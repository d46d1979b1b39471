#include "procedures/HistoryOnChart.h"

#include "forms/MarkerLayer.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "history/ChartMarkers.h"
#include "history/ChildHistory.h"
#include "look/ChartLook.h"

#include <array>

namespace zelpo {

HistoryOnChart::HistoryOnChart(PerZelpo& window, const ChildHistory& history)
    : QObject(&window), m_window(window), m_history(history),
      m_geometry(chartGeometry(chartLook(window.palette())))
{
    connect(&history, &ChildHistory::changed, this, &HistoryOnChart::show);
    show();
}

void HistoryOnChart::show()
{
    const ChartMarkers placed = placeMarkers(m_history, m_geometry);
    std::array<const ShownWeighing*, markerCount> shown{};
    for (const ShownWeighing& weighing : placed.weighings) {
        shown[weighing.marker] = &weighing;
    }
    // Only the markers that move, appear or go are repainted, together.
    m_window.holdMarkerRepaints(true);
    for (int index = 0; index < markerCount; ++index) {
        Marker* marker = m_window.sh(index);
        if (shown[index]) {
            marker->setTwipRect(shown[index]->box);
            marker->setFromBirth(shown[index]->fromBirth);
        }
        marker->setVisible(shown[index] != nullptr);
    }
    m_window.holdMarkerRepaints(false);
    Picture* arrow = m_window.Image2();
    if (placed.arrow) {
        arrow->setTwipTop(placed.arrow->top);
        arrow->setTwipLeft(placed.arrow->left);
    }
    arrow->setVisible(placed.arrow.has_value());
}

QString HistoryOnChart::tooltipAt(TwipPoint windowTwips) const
{
    const ChartMarkers placed = placeMarkers(m_history, m_geometry);
    const ShownWeighing* weighing = weighingUnder(placed, windowTwips);
    return weighing ? markerTooltip(m_history, *weighing) : QString();
}

} // namespace zelpo
