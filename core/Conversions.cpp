#include "core/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include <QRegularExpression>

namespace zelpo {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// QChar::isDigit() also accepts Arabic-Indic and other digits, which the boxes must refuse.
bool isAsciiDigit(QStringView text, qsizetype pos)
{
    return pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9';
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

struct LeadingNumber
{
    bool found = false;  // the characters form a number at all
    bool finite = false; // ...and it fits in a double
    qsizetype length = 0;
    double value = 0;
};

// Reads the number at the very start of `text` (no blanks skipped). Every character of the
// prefix is checked here first, so std::from_chars only ever sees a well-formed number and the
// whole read stays linear in the length of the text.
LeadingNumber readLeadingNumber(QStringView text)
{
    LeadingNumber result;
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const qsizetype mantissaBegin = pos;

    // Decimal position of the first significant digit, needed only to tell an overflow from an
    // underflow when std::from_chars reports the value out of range.
    qint64 integerDigits = 0;
    qint64 leadingZeros = 0;
    bool seenNonZero = false;
    while (isAsciiDigit(text, pos)) {
        seenNonZero = seenNonZero || text[pos] != u'0';
        if (!seenNonZero)
            ++leadingZeros;
        ++integerDigits;
        ++pos;
    }
    qint64 fractionDigits = 0;
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        while (isAsciiDigit(text, pos)) {
            seenNonZero = seenNonZero || text[pos] != u'0';
            if (!seenNonZero)
                ++leadingZeros;
            ++fractionDigits;
            ++pos;
        }
    }
    if (integerDigits + fractionDigits == 0)
        return result;

    qint64 exponent = 0;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype exponentPos = pos + 1;
        bool negativeExponent = false;
        if (exponentPos < text.size() && (text[exponentPos] == u'+' || text[exponentPos] == u'-')) {
            negativeExponent = text[exponentPos] == u'-';
            ++exponentPos;
        }
        if (isAsciiDigit(text, exponentPos)) {
            constexpr qint64 saturation = qint64(1) << 50;
            while (isAsciiDigit(text, exponentPos)) {
                exponent =
                    std::min(saturation, exponent * 10 + (text[exponentPos].unicode() - u'0'));
                ++exponentPos;
            }
            if (negativeExponent)
                exponent = -exponent;
            pos = exponentPos;
        }
    }
    result.found = true;
    result.length = pos;

    // from_chars takes no leading "+"; the prefix is plain ASCII by now.
    std::string ascii = text.sliced(mantissaBegin, pos - mantissaBegin).toLatin1().toStdString();
    double magnitude = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), magnitude,
                                              std::chars_format::general);
    Q_UNUSED(end);
    if (error == std::errc::result_out_of_range) {
        const qint64 leadingPower = integerDigits - leadingZeros - 1 + exponent;
        if (leadingPower >= 0)
            return result;
        // Too small to tell from zero: still a finite number.
        magnitude = 0;
    } else if (error != std::errc()) {
        result.found = false;
        return result;
    }
    result.finite = true;
    // A "-0" must not come back as a negative zero that prints as "-0".
    result.value = magnitude == 0 ? 0.0 : (negative ? -magnitude : magnitude);
    return result;
}

} // namespace

bool isNumber(QStringView text)
{
    const QStringView trimmed = trimmedBlanks(text);
    const LeadingNumber number = readLeadingNumber(trimmed);
    return number.found && number.finite && number.length == trimmed.size();
}

bool isWholeNumber(QStringView text)
{
    if (!isNumber(text)) {
        return false;
    }
    const double value = numericValue(text);
    return std::trunc(value) == value;
}

double numericValue(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    const LeadingNumber number = readLeadingNumber(text.sliced(begin));
    return number.found && number.finite ? number.value : 0.0;
}

bool isDate(QStringView text)
{
    return dateValue(text).has_value();
}

std::optional<QDate> dateValue(QStringView text)
{
    // [0-9] rather than \d: Qt's regular expressions take \d as any Unicode digit. One a thread:
    // the records are read on worker threads too, and the pattern is compiled on first use.
    thread_local const QRegularExpression pattern(
        QStringLiteral("^([0-9]{1,2})([/.-])([0-9]{1,2})\\2([0-9]{4}|[0-9]{2})$"));
    const QRegularExpressionMatch match = pattern.match(trimmedBlanks(text));
    if (!match.hasMatch())
        return std::nullopt;
    const int day = match.capturedView(1).toInt();
    const int month = match.capturedView(3).toInt();
    const QStringView yearText = match.capturedView(4);
    int year = yearText.toInt();
    if (yearText.size() == 2)
        year += year < 30 ? 2000 : 1900;
    if (year < 100 || !QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

QString dateText(QDate date)
{
    if (!date.isValid())
        return QString();
    return QString::asprintf("%02d/%02d/%04d", date.day(), date.month(), date.year());
}

double daysBetween(QDate from, QDate to)
{
    return double(from.daysTo(to));
}

} // namespace zelpo
