#include "core/PercentileCurves.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace zelpo {

namespace {

constexpr double kFirstYearAges[] = {0, 3, 6, 9};
constexpr double kLaterAges[] = {12, 24, 36, 48, 60, 72};

// Fritsch-Carlson slopes at the knots: averaged secants, flattened at a local extreme and
// shrunk where they would make the cubic overshoot a neighbouring value.
std::vector<double> monotoneSlopes(const std::vector<PercentileKnot>& knots)
{
    const size_t count = knots.size();
    std::vector<double> secants(count - 1);
    for (size_t i = 0; i + 1 < count; ++i)
        secants[i] =
            (knots[i + 1].kilograms - knots[i].kilograms) / (knots[i + 1].months - knots[i].months);

    std::vector<double> slopes(count);
    slopes.front() = secants.front();
    slopes.back() = secants.back();
    for (size_t i = 1; i + 1 < count; ++i)
        slopes[i] = secants[i - 1] * secants[i] <= 0 ? 0.0 : (secants[i - 1] + secants[i]) / 2;

    for (size_t i = 0; i + 1 < count; ++i) {
        if (secants[i] == 0) {
            slopes[i] = slopes[i + 1] = 0;
            continue;
        }
        const double alpha = slopes[i] / secants[i];
        const double beta = slopes[i + 1] / secants[i];
        const double size = std::hypot(alpha, beta);
        if (size > 3) {
            slopes[i] = 3 / size * alpha * secants[i];
            slopes[i + 1] = 3 / size * beta * secants[i];
        }
    }
    return slopes;
}

// One row of the printed tables: the first-year weights (empty when the curve starts at one
// year) followed by the weights at one to six years.
PercentileCurve tableRow(int percentile, std::initializer_list<double> firstYear,
                         std::initializer_list<double> laterYears)
{
    PercentileCurve curve{percentile, 0.0, {}, {}};
    const double* age = kFirstYearAges;
    for (double kg : firstYear)
        curve.knots.push_back({*age++, kg});
    age = kLaterAges;
    for (double kg : laterYears)
        curve.knots.push_back({*age++, kg});
    curve.startMonths = curve.knots.front().months;
    curve.slopes = monotoneSlopes(curve.knots);
    return curve;
}

const std::vector<PercentileCurve>& girlsCurves()
{
    static const std::vector<PercentileCurve> curves{
        tableRow(97, {4.5, 6.9, 8.9, 10.6}, {11.5, 14.7, 17.6, 20.4, 23.2, 26.8}),
        tableRow(90, {}, {10.7, 13.8, 16.6, 19.4, 21.8, 24.4}),
        tableRow(75, {}, {10.1, 13.0, 15.7, 18.2, 20.2, 22.4}),
        tableRow(50, {3.4, 5.4, 7.5, 8.7}, {9.4, 12.1, 14.4, 16.2, 17.9, 20.3}),
        tableRow(25, {}, {8.7, 11.0, 13.1, 15.3, 16.8, 18.3}),
        tableRow(10, {}, {7.9, 10.2, 12.3, 14.1, 15.4, 17.1}),
        tableRow(3, {2.9, 4.2, 5.6, 6.7}, {7.3, 9.5, 11.4, 13.1, 14.4, 15.9}),
    };
    return curves;
}

const std::vector<PercentileCurve>& boysCurves()
{
    static const std::vector<PercentileCurve> curves{
        tableRow(97, {4.4, 7.4, 10.0, 11.4}, {12.6, 15.6, 18.5, 21.2, 23.9, 26.9}),
        tableRow(90, {}, {11.6, 14.6, 17.4, 19.7, 21.9, 24.7}),
        tableRow(75, {4.0, 6.2, 8.1, 9.6}, {10.6, 13.6, 16.1, 18.2, 20.5, 22.8}),
        tableRow(50, {3.5, 5.4, 7.3, 8.9}, {10.1, 12.6, 14.7, 16.5, 18.4, 20.8}),
        tableRow(25, {3.1, 4.9, 6.6, 8.1}, {9.2, 11.8, 13.8, 15.5, 17.1, 18.8}),
        tableRow(10, {}, {8.6, 11.0, 12.7, 14.1, 15.6, 17.2}),
        tableRow(3, {2.7, 4.5, 5.9, 7.0}, {7.8, 10.4, 12.0, 13.2, 14.6, 16.0}),
    };
    return curves;
}

} // namespace

QString sexName(ChartSex sex)
{
    return sex == ChartSex::Boys ? QStringLiteral("Varón") : QStringLiteral("Mujer");
}

const std::vector<PercentileCurve>& percentileCurves(ChartSex sex)
{
    return sex == ChartSex::Girls ? girlsCurves() : boysCurves();
}

double kilograms(const PercentileCurve& curve, double months)
{
    const auto& knots = curve.knots;
    if (months <= knots.front().months)
        return knots.front().kilograms;
    if (months >= knots.back().months)
        return knots.back().kilograms;

    const auto after =
        std::upper_bound(knots.begin(), knots.end(), months,
                         [](double age, const PercentileKnot& knot) { return age < knot.months; });
    const size_t i = static_cast<size_t>(after - knots.begin()) - 1;
    const bool known = curve.slopes.size() == knots.size();
    const std::vector<double> workedOut = known ? std::vector<double>() : monotoneSlopes(knots);
    const std::vector<double>& slopes = known ? curve.slopes : workedOut;

    const double width = knots[i + 1].months - knots[i].months;
    const double t = (months - knots[i].months) / width;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * knots[i].kilograms + (t3 - 2 * t2 + t) * width * slopes[i] +
           (-2 * t3 + 3 * t2) * knots[i + 1].kilograms + (t3 - t2) * width * slopes[i + 1];
}

} // namespace zelpo
