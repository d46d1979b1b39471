#include "core/Plausibility.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"

#include <algorithm>
#include <cmath>

namespace zelpo {

namespace {

// Below this share of the lowest curve drawn, or above that of the highest, a weighing is far
// off anything the chart holds for the age.
constexpr double lowestCurveShare = 0.7;
constexpr double highestCurveShare = 1.3;
// A child's weight moves by a few hundred grams from day to day; a change of more than a tenth,
// and a gain also faster than this, is more likely a slip of the hand.
constexpr double changeShare = 0.1;
constexpr double fastestGainGramsPerDay = 100;

// The grams a patient file keeps: the whole part, never rounded up.
QString storedGrams(double grams)
{
    return QString::number(std::trunc(grams), 'f', 0);
}

QString rounded(double value)
{
    return QString::number(std::round(value), 'f', 0);
}

// "a los 731 días", and in the singular "con 1 día".
QString atAge(double days)
{
    const QString whole = QString::number(std::trunc(days), 'f', 0);
    return whole == u'1' ? QStringLiteral("con 1 día") : QStringLiteral("a los %1 días").arg(whole);
}

// A value past `limit` as the question prints it, with the Spanish decimal comma and as few
// decimals as keep it from reading as the limit it passed: a loss of 10.3 % is "10,3", never "10".
QString pastTheLimit(double value, double limit)
{
    constexpr int mostDecimals = 3;
    QString text;
    for (int decimals = 0; decimals <= mostDecimals; ++decimals) {
        text = QString::number(value, 'f', decimals);
        if (text.toDouble() > limit) {
            return text.replace(u'.', u',');
        }
    }
    // Closer to the limit than a thousandth: the next thousandth up.
    const double scale = std::pow(10, mostDecimals);
    return QString::number(std::max(std::ceil(value * scale), limit * scale + 1) / scale, 'f',
                           mostDecimals)
        .replace(u'.', u',');
}

// The chart spans birth to six years; an age outside them has no curves to compare with, and is
// more likely a birth date mistyped (a year of 2062, or tomorrow) than a child's.
std::optional<QString> outsideTheChart(double ageDays, QDate today)
{
    if (ageDays < 0) {
        return QStringLiteral("La medida queda fuera del gráfico: la fecha de nacimiento es "
                              "posterior al día de la medida, %1.")
            .arg(dateText(today));
    }
    if (ageDays > chartAgeSpanDays) {
        return QStringLiteral("La medida %1 queda fuera del gráfico: la edad pasa de los seis años "
                              "que abarca (%2 días).")
            .arg(atAge(ageDays), QString::number(chartAgeSpanDays, 'f', 0));
    }
    return std::nullopt;
}

// `corrected`: the age is a baby's corrected age, and is said so.
std::optional<QString> offTheChart(ChartSex sex, double ageDays, double grams, bool corrected)
{
    const std::optional<std::pair<CurveAt, CurveAt>> curves = outermostCurvesAt(sex, ageDays);
    if (!curves) {
        return std::nullopt;
    }
    // Written only for a weighing questioned: nearly every weighing is not.
    const auto sentence = [&](const char* where, const char* which, const CurveAt& curve) {
        const QString age =
            atAge(ageDays) + (corrected ? QStringLiteral(" de edad corregida") : QString());
        return QStringLiteral("La medida de %1 g %2 queda muy por %3 de la curva más %4 del "
                              "gráfico (P%5: %6 g).")
            .arg(storedGrams(grams), age, QString::fromUtf8(where), QString::fromUtf8(which),
                 QString::number(curve.percentile), rounded(curve.grams));
    };
    const auto& [lowest, highest] = *curves;
    if (grams < lowest.grams * lowestCurveShare) {
        return sentence("debajo", "baja", lowest);
    }
    if (grams > highest.grams * highestCurveShare) {
        return sentence("encima", "alta", highest);
    }
    return std::nullopt;
}

std::optional<QString> farFromTheLatest(double grams, QDate today, const EarlierWeighing& latest)
{
    const double change = grams - latest.grams;
    // A weight that could not be read from the file (0 g) is nothing to measure a change by.
    if (!(latest.grams > 0) || !(std::abs(change) > latest.grams * changeShare)) {
        return std::nullopt;
    }
    const QString earlier =
        QStringLiteral("(%1 g, del %2)").arg(storedGrams(latest.grams), dateText(latest.date));
    const QString percent = pastTheLimit(std::abs(change) / latest.grams * 100, changeShare * 100);
    if (change < 0) {
        return QStringLiteral("La medida de %1 g es un %2 % menor que la anterior %3.")
            .arg(storedGrams(grams), percent, earlier);
    }
    const double days = daysBetween(latest.date, today);
    // Within a day there is no daily gain to speak of: the change alone is questioned.
    if (days < 1) {
        return QStringLiteral("La medida de %1 g es un %2 % mayor que la anterior %3.")
            .arg(storedGrams(grams), percent, earlier);
    }
    const double perDay = change / days;
    if (!(perDay > fastestGainGramsPerDay)) {
        return std::nullopt;
    }
    return QStringLiteral("La medida de %1 g supone una ganancia de %2 g/día desde la anterior %3.")
        .arg(storedGrams(grams), pastTheLimit(perDay, fastestGainGramsPerDay), earlier);
}

} // namespace

QStringList implausibility(ChartSex sex, double ageDays, double grams, QDate today,
                           std::optional<EarlierWeighing> latestStanding,
                           const std::optional<GestationalAge>& gestation)
{
    QStringList sentences;
    const std::optional<double> corrected = correctedAge(ageDays, gestation);
    if (const std::optional<QString> outside = outsideTheChart(ageDays, today)) {
        sentences.append(*outside);
    } else if (corrected && *corrected < 0) {
        // Before the due date: no curves to measure against.
    } else if (const std::optional<QString> chart =
                   offTheChart(sex, corrected.value_or(ageDays), grams, corrected.has_value())) {
        sentences.append(*chart);
    }
    if (latestStanding) {
        if (const std::optional<QString> change = farFromTheLatest(grams, today, *latestStanding)) {
            sentences.append(*change);
        }
    }
    return sentences;
}

QString plausibilityQuestion(const QStringList& sentences)
{
    return (sentences + QStringList{QStringLiteral("¿Es correcta?")}).join(u'\n');
}

} // namespace zelpo
