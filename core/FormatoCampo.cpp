#include "core/FormatoCampo.h"

#include "core/Conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include <QLatin1StringView>

namespace zelpo {

namespace {

constexpr qsizetype maxZeroFill = 20;

Failure doesNotFit()
{
    return {InvalidArgument, QStringLiteral("Argumento no válido: el valor no cabe en el campo.")};
}

// Every digit of the integer part, never in exponent form, so that a huge number is as long as
// it really is and fails against any mask.
Result<QString> integerDigits(double value)
{
    if (!std::isfinite(value)) {
        return Failure{InvalidArgument,
                       QStringLiteral("Argumento no válido: el valor no es un número finito.")};
    }
    // Adding zero turns -0 into 0, which must not be written with a sign.
    const double wholePart = std::floor(value) + 0.0;
    std::array<char, std::numeric_limits<double>::max_exponent10 + 8> digits;
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), wholePart,
                                            std::chars_format::fixed, 0);
    if (error != std::errc()) {
        return doesNotFit();
    }
    return QString(QLatin1StringView(digits.data(), end - digits.data()));
}

Result<QString> numberField(double value, const QString& mask)
{
    const Result<QString> digits = integerDigits(value);
    if (!digits.ok()) {
        return digits;
    }
    const qsizetype fill = mask.size() - digits.value().size();
    if (fill < 0) {
        return doesNotFit();
    }
    return QString(qMin(fill, maxZeroFill), u'0') + digits.value();
}

} // namespace

Result<QString> FormatoCampo(const FieldValue& value, const QString& mask)
{
    if (const auto* number = std::get_if<double>(&value)) {
        return numberField(*number, mask);
    }
    if (const auto* date = std::get_if<QDate>(&value)) {
        if (!date->isValid()) {
            return Failure{InvalidArgument,
                           QStringLiteral("Argumento no válido: la fecha no es válida.")};
        }
        return dateText(*date);
    }
    const QString& text = std::get<QString>(value);
    if (isDate(text)) {
        return text;
    }
    if (isNumber(text)) {
        return numberField(numericValue(text), mask);
    }
    return text.left(mask.size());
}

} // namespace zelpo
