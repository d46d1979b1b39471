#pragma once

#include <optional>

#include <QDate>
#include <QString>
#include <QStringView>

// Reading numbers and dates the way the chart window's boxes are read: numbers with "." as the
// decimal point, dates always day/month/year, whatever the system's regional settings.
namespace zelpo {

// True when the whole text, blanks trimmed, is one finite decimal number:
// optional sign, digits with an optional "." and fraction (at least one digit), optional
// exponent. "12abc", "1,5", "" and "1e400" are not numbers.
bool isNumber(QStringView text);

// True when the text is a number under isNumber() without a fraction: "12", " 12 ", "-5" and
// "12.0" are whole numbers, "12.9" is not.
bool isWholeNumber(QStringView text);

// The number formed by the text's leading characters (blanks skipped, sign, digits, ".",
// exponent); 0 when they form none. Never fails, whatever the text.
double numericValue(QStringView text);

// True when the text is a real calendar day written day/month/year with "/", "-" or ".".
bool isDate(QStringView text);

// The date the text stands for under isDate(); nothing when it is not a date.
std::optional<QDate> dateValue(QStringView text);

// The date as the program writes it everywhere: dd/mm/yyyy.
QString dateText(QDate date);

// Whole days from `from` to `to` (negative when `to` comes first).
double daysBetween(QDate from, QDate to);

} // namespace zelpo
