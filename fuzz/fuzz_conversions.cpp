// Everything a user can type into the chart window's boxes goes through the number and date
// readers: whatever the text, they must answer at once, and their answers must agree.

#include "core/Conversions.h"
#include "fuzz/FuzzInput.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

using zelpo::fuzz::requireThat;

namespace {

void checkNumberReading(const QString& text)
{
    const double value = zelpo::numericValue(text);
    requireThat(std::isfinite(value), "numericValue gives a finite value", text);
    if (!zelpo::isNumber(text)) {
        return;
    }
    requireThat(zelpo::numericValue(text + u'x') == value,
                "characters after a whole number do not change its value", text);
    requireThat(zelpo::isNumber(QStringLiteral(" \t") + text + QStringLiteral("\t ")),
                "blanks around a number are allowed", text);

    // A number in the boxes' form is plain ASCII, which the C library reads the same way in its
    // own "C" locale. Below the smallest normal double the two may round differently.
    const QByteArray ascii = text.trimmed().toLatin1();
    char* end = nullptr;
    const double reference = std::strtod(ascii.constData(), &end);
    requireThat(end == ascii.constData() + ascii.size(), "the C library reads the whole number",
                text);
    if (reference == 0 || std::fabs(reference) >= DBL_MIN) {
        requireThat(value == reference, "numericValue agrees with the C library", text);
    }
}

void checkDateReading(const QString& text)
{
    const std::optional<QDate> date = zelpo::dateValue(text);
    requireThat(zelpo::isDate(text) == date.has_value(), "isDate agrees with dateValue", text);
    if (!date) {
        return;
    }
    requireThat(date->isValid(), "dateValue gives only real days", text);
    requireThat(date->year() >= 100, "two-digit years name a century", text);
    requireThat(zelpo::dateValue(zelpo::dateText(*date)) == date,
                "a date written by the program reads back as the same day", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = zelpo::fuzz::textFrom(data, size);
    checkNumberReading(text);
    checkDateReading(text);
    return 0;
}
