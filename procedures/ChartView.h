#pragma once

#include "core/ChartScale.h"

#include <QObject>
#include <QString>

namespace zelpo {

// Which view of the chart the window shows, and every output with it: the whole chart, or its
// first two years spread over the same frame for a closer look at an infant's weighings. It is
// one for the running program, whichever child is open, and starts on the whole chart. Nothing
// stored or read depends on it.
class ChartView : public QObject
{
    Q_OBJECT

public:
    bool showsFirstTwoYears() const { return m_firstTwoYears; }
    // The ages and weights the frame spans in this view.
    ChartSpans spans() const { return m_firstTwoYears ? firstTwoYears : wholeChart; }

    void setFirstTwoYears(bool shown);
    void toggle() { setFirstTwoYears(!m_firstTwoYears); }

signals:
    void changed();

private:
    bool m_firstTwoYears = false;
};

// "Primeros dos años": the name of the view over `spans` as the menu, the chart's caption and the
// printed page give it; empty for the whole chart, which needs none.
QString chartViewName(ChartSpans spans);

// What the chart's caption says in a view closer than the whole chart: its name, and how many
// weighings lie past its scales ("Primeros dos años: 3 medidas fuera de la vista").
QString chartViewCaption(ChartSpans spans, int outOfView);

} // namespace zelpo
