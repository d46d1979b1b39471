#pragma once

#include "core/PercentileCurves.h"
#include "core/WeighingReading.h"

#include <optional>

#include <QDate>
#include <QString>
#include <QStringList>

// Whether a weighing about to be stored looks like a slip of the hand: at an age outside the
// chart's birth to six years, far off the chart's curves, or far from the child's latest
// weighing. Such a weighing is asked about before it is stored, because once stored it stays in
// the patient file for good.
namespace zelpo {

// The sentences of the question asked before an implausible weighing is stored; empty when the
// weighing is plausible. `ageDays` is the age from birth the weighing is plotted at, `today` its
// date, and `latestStanding` the child's latest stored weighing that is not struck out. A baby
// born at `gestation` is measured against the curves at its corrected age, and before its due
// date, where the chart has no curves, only against its latest weighing.
QStringList implausibility(ChartSex sex, double ageDays, double grams, QDate today,
                           std::optional<EarlierWeighing> latestStanding,
                           const std::optional<GestationalAge>& gestation = std::nullopt);

// The whole question: each sentence on its own line, then "¿Es correcta?" on the last.
QString plausibilityQuestion(const QStringList& sentences);

} // namespace zelpo
