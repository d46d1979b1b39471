#pragma once

#include <vector>

#include <QString>

// The weight-for-age percentile tables printed on the two charts, and the smooth curves drawn
// through them.
namespace zelpo {

enum class ChartSex { Girls, Boys };

// "Varón" or "Mujer", as the option buttons, the page, the spreadsheet and the table name a sex.
QString sexName(ChartSex sex);

struct PercentileKnot
{
    double months;
    double kilograms;
};

struct PercentileCurve
{
    int percentile;
    // Age of the first tabulated value; the curve is not drawn before it.
    double startMonths;
    // Tabulated weights in increasing age, the last one at six years.
    std::vector<PercentileKnot> knots;
    // The cubic's slope at each knot, in kilograms a month, worked out once with the table; a
    // curve without them has them worked out at every use.
    std::vector<double> slopes;
};

// The chart's curves from the highest percentile to the lowest.
const std::vector<PercentileCurve>& percentileCurves(ChartSex sex);

// Weight on the curve at the given age: a monotone cubic through the knots, so it never dips
// between two tabulated values. Ages outside the table give the nearest end value.
double kilograms(const PercentileCurve& curve, double months);

} // namespace zelpo
