#pragma once

#include "core/ChartScale.h"
#include "core/Twips.h"

#include <QObject>
#include <QString>

namespace zelpo {

class ChildHistory;
class PerZelpo;

// The chart window shows the open child's history and follows it whenever it changes: the
// markers of the pool `sh` and the arrow `Image2` stand where the history's weighings are placed,
// the sex option and the chart picture are the open child's, and the birth-date box holds the
// stored birth date in force, locked, when the child has one.
class HistoryOnChart : public QObject
{
    Q_OBJECT

public:
    HistoryOnChart(PerZelpo& window, const ChildHistory& history);

    // The tooltip of the marker under `windowTwips`, a point of the window in twips; empty when
    // no marker lies there. Made only when asked for, never while the pointer moves.
    QString tooltipAt(TwipPoint windowTwips) const;

private:
    void show();
    void showInPanel();
    void showMarkers();

    PerZelpo& m_window;
    const ChildHistory& m_history;
    // Where the weighings go: the frame and the sizes of a marker and the arrow, as the window's
    // look declares them.
    const ChartGeometry m_geometry;
};

} // namespace zelpo
