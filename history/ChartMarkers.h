#pragma once

#include "core/ChartScale.h"
#include "core/Twips.h"

#include <optional>

#include <QList>
#include <QString>

namespace zelpo {

class ChildHistory;

// A weighing as the chart shows it: the marker of the pool that shows it and where that marker
// stands.
struct ShownWeighing
{
    int marker; // 0 to 106
    TwipRect box;
    double days; // the age it is drawn at: the corrected age of a baby born early
    // Drawn at the corrected age, the small hollow mark where the age from birth would have put
    // it, joined to the marker by a thin line.
    std::optional<TwipRect> fromBirth;
    // What there is to review in it, "Para revisar": empty when nothing; the amber ring just
    // outside the marker when there is.
    QString review;
    std::optional<TwipRect> reviewRing;
    // Its record in the patient file when it is stored; its place among the weighings plotted at
    // this visit when "Graficar" plotted it, -1 when it came with the history.
    std::optional<qsizetype> record;
    qsizetype plotted = -1;
};

// The hollow mark of a weighing's age from birth is this many twips across: six pixels, two
// fifths of a marker.
inline constexpr float kBirthAgeMarkTwips = 90;
// The ring of a weighing to review lies this many twips outside the marker all round: three
// pixels, room for a ring two pixels wide clear of the marker's outline.
inline constexpr float kReviewRingTwips = 45;

// Everything the chart shows of a history: the markers and the newest-point arrow.
struct ChartMarkers
{
    QList<ShownWeighing> weighings; // by marker, the lowest first
    std::optional<TwipRect> arrow;
    // Weighings that stand but lie past the scales of a closer view than the whole chart, and so
    // take no marker there.
    int outOfView = 0;
};

// Where the open child's weighings stand on the chart, the one placement that the window, the
// printed page and the copied chart all show. The history as opened takes the markers in the
// patient file's order, the oldest 107 weighings that stand; each weighing "Graficar" plotted at
// this visit then takes the first free marker, or marker 0 again once all of them show one, and
// the arrow points at the newest of them while it stands; weighings other desks stored since take
// the markers left. A stored weighing's age counts from the history's birth date as corrected;
// one plotted at this visit, from the birth date it was plotted from. A baby born early has its
// weighings drawn at the corrected age, those before its due date not at all: the chart starts
// at term. Everything is placed on the scales of the view the geometry spans; the whole chart
// shows every weighing where it falls, off its scales too, while a closer view, such as the first
// two years, leaves out and counts those past its ages or weights, as if they were not there.
ChartMarkers placeMarkers(const ChildHistory& history, const ChartGeometry& chart);

// The weighing whose marker lies under `point`, a point of the window in twips: of those whose
// circle it is on, a pixel's width of slack around it, the one whose centre is nearest, since the
// markers of a history often overlap. None when no marker lies there.
const ShownWeighing* weighingUnder(const ChartMarkers& markers, TwipPoint point);

// "28/10/2024 · 13100 g · 730 días (24 meses) · P50–P75 · +13 g/día": where the weighing stands,
// its age the one it is drawn at, followed by " · para revisar: …" when there is something to
// review in it.
QString markerTooltip(const ChildHistory& history, const ShownWeighing& weighing);

} // namespace zelpo
