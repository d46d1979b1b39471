#include "procedures/HistoryOnChart.h"

#include "core/Conversions.h"
#include "forms/FormLabel.h"
#include "forms/MarkerLayer.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "history/ChartMarkers.h"
#include "history/ChildHistory.h"
#include "look/ChartLook.h"
#include "procedures/ChartView.h"

#include <array>

namespace zelpo {

HistoryOnChart::HistoryOnChart(PerZelpo& window, const ChildHistory& history, const ChartView& view)
    : QObject(&window), m_window(window), m_history(history), m_view(view),
      m_lookGeometry(chartGeometry(chartLook(window.palette())))
{
    connect(&history, &ChildHistory::changed, this, &HistoryOnChart::show);
    connect(&view, &ChartView::changed, this, &HistoryOnChart::showView);
    if (view.spans() != wholeChart) {
        m_window.showChartOver(view.spans());
    }
    show();
}

ChartGeometry HistoryOnChart::geometry() const
{
    ChartGeometry geometry = m_lookGeometry;
    geometry.spans = m_view.spans();
    return geometry;
}

void HistoryOnChart::show()
{
    showInPanel();
    showMarkers();
}

void HistoryOnChart::showInPanel()
{
    // The sex option and the chart picture name the open child's chart; setting an option
    // clicks nothing, so no look-up follows.
    const bool varon = m_history.key().varon;
    m_window.Option1(varon ? 0 : 1)->setChecked(true);
    m_window.Image3()->setVisible(!varon);
    // A stored birth date, as corrected wherever that was done, is the one every age counts from:
    // the box shows it and takes no other. Without one the box is the user's to type.
    TextBox* birthDate = m_window.Text2();
    const std::optional<QDate> stored = m_history.storedBirthDate();
    if (stored) {
        birthDate->setText(dateText(*stored));
    }
    birthDate->setEnabled(!stored);
}

void HistoryOnChart::showView()
{
    // The pictures and the markers change together, in one repaint.
    m_window.showChartOver(m_view.spans());
    showMarkers();
}

void HistoryOnChart::showMarkers()
{
    const ChartMarkers placed = placeMarkers(m_history, geometry());
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
            marker->setReviewRing(shown[index]->reviewRing);
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

    // The whole chart needs no caption: it is the chart as it always was.
    FormLabel* caption = m_window.Label9();
    const bool closerView = m_view.spans() != wholeChart;
    if (closerView) {
        caption->setCaption(chartViewCaption(m_view.spans(), placed.outOfView));
    }
    caption->setVisible(closerView);
}

QString HistoryOnChart::tooltipAt(TwipPoint windowTwips) const
{
    const ChartMarkers placed = placeMarkers(m_history, geometry());
    const ShownWeighing* weighing = weighingUnder(placed, windowTwips);
    return weighing ? markerTooltip(m_history, *weighing) : QString();
}

} // namespace zelpo
