#pragma once

#include <QList>
#include <QString>

// One line of the benchmark table: what was measured, its median as text, the goal and whether
// the median meets it.
struct BenchRow
{
    QString figure;
    QString measured;
    QString goal;
    bool met;
};

// The middle value; the mean of the two middle values of an even count, NaN for none.
double median(QList<double> values);

// The rows as a Markdown table, ready to paste into the README.
QString markdownTable(const QList<BenchRow>& rows);
