#pragma once

#include "records/StoredWeighings.h"

#include <QMetaType>
#include <QString>

class PerZelpo;
struct TwipPoint;

Q_DECLARE_METATYPE(zelpo::StoredWeighing)

// Where the weighing a marker shows stands, told when the pointer rests on the marker. The
// reading is kept on the marker as its tag when the marker is placed; the text is made only when
// asked for, never while the pointer moves.

// Keeps the weighing and its reading on marker `index`.
void tagMarker(PerZelpo& window, int index, const zelpo::StoredWeighing& weighing);

// "28/10/2024 · 13100 g · 730 días (24 meses) · P50–P75 · +13 g/día" for the visible marker
// under `windowTwips`, a point of the window in twips; empty when no marker lies there.
QString markerTooltip(const PerZelpo& window, TwipPoint windowTwips);
