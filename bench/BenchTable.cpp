#include "bench/BenchTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

double median(QList<double> values)
{
    if (values.isEmpty()) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const qsizetype middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + middle, values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower = *std::max_element(values.begin(), values.begin() + middle);
    return (lower + upper) / 2;
}

QString markdownTable(const QList<BenchRow>& rows)
{
    QString table = QStringLiteral("| Figure | Median | Goal | Met |\n|---|---|---|---|\n");
    for (const BenchRow& row : rows) {
        table += QStringLiteral("| %1 | %2 | %3 | %4 |\n")
                     .arg(row.figure, row.measured, row.goal,
                          row.met ? QStringLiteral("yes") : QStringLiteral("**no**"));
    }
    return table;
}
