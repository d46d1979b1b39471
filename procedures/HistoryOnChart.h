#pragma once

#include "core/ChartScale.h"
#include "core/Twips.h"

#include <QObject>
#include <QString>

namespace zelpo {

class ChartView;
class ChildHistory;
class PerZelpo;

// The chart window shows the open child's history and follows it whenever it changes: the
// markers of the pool `sh` and the arrow `Image2` stand where the history's weighings are placed,
// the sex option and the chart picture are the open child's, and the birth-date box holds the
// stored birth date in force, locked, when the child has one. It follows the chart's view as
// well: the pictures and the markers on its scales, and, in a view closer than the whole chart,
// the caption `Label9` naming it and how many weighings lie past its scales.
class HistoryOnChart : public QObject
{
    Q_OBJECT

public:
    HistoryOnChart(PerZelpo& window, const ChildHistory& history, const ChartView& view);

    // The tooltip of the marker under `windowTwips`, a point of the window in twips; empty when
    // no marker lies there. Made only when asked for, never while the pointer moves.
    QString tooltipAt(TwipPoint windowTwips) const;

private:
    void show();
    void showInPanel();
    void showMarkers();
    void showView();
    // Where the weighings go: the frame and the sizes of a marker and the arrow, as the window's
    // look declares them, on the scales of the view shown.
    ChartGeometry geometry() const;

    PerZelpo& m_window;
    const ChildHistory& m_history;
    const ChartView& m_view;
    const ChartGeometry m_lookGeometry;
};

} // namespace zelpo
