#pragma once

#include <optional>

#include <QDate>
#include <QMetaType>
#include <QString>

namespace zelpo {

class PerZelpo;
struct TwipPoint;
class ChildHistory;

// The weighing a marker shows, kept on the marker as its tag when the marker is placed.
struct MarkerWeighing
{
    QDate date;
    double grams;
    // The birth date the marker's age was counted from when it was placed.
    QDate placedFrom;
    // Its record in the patient file, when it was stored; the history reads the rest from there.
    std::optional<qsizetype> record;
};

// Where the weighing a marker shows stands, told when the pointer rests on the marker. The text is
// made only when asked for, never while the pointer moves, from the open child's history.

// Keeps the weighing on marker `index`.
void tagMarker(PerZelpo& window, int index, const MarkerWeighing& weighing);

// "28/10/2024 · 13100 g · 730 días (24 meses) · P50–P75 · +13 g/día" for the visible marker
// under `windowTwips`, a point of the window in twips; empty when no marker lies there. The age is
// the one the marker is drawn at; when the history's stored birth date is another, the age
// counted from that one follows.
QString markerTooltip(const PerZelpo& window, const zelpo::ChildHistory& history,
                      TwipPoint windowTwips);

} // namespace zelpo

Q_DECLARE_METATYPE(zelpo::MarkerWeighing)
