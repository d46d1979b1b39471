// FormatoCampo lays out every field written to a patient file: whatever value and mask it is
// given, it must either fail cleanly or give a field that keeps its promises.

#include "core/Conversions.h"
#include "core/FormatoCampo.h"
#include "fuzz/FuzzInput.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using zelpo::FieldValue;
using zelpo::Result;
using zelpo::fuzz::requireThat;

namespace {

// Up to this size the integer part of a double is exact in a qint64, so QString::number gives
// its digits independently of the way FormatoCampo writes them.
constexpr double exactlyPrintable = 1e15;

QString describe(const FieldValue& value, const QString& mask)
{
    QString text;
    if (const auto* number = std::get_if<double>(&value)) {
        text = QString::number(*number, 'g', 17);
    } else if (const auto* date = std::get_if<QDate>(&value)) {
        text = QStringLiteral("julian day %1").arg(date->toJulianDay());
    } else {
        text = std::get<QString>(value);
    }
    return text + QStringLiteral(" | mask length %1").arg(mask.size());
}

void checkNumberField(double number, const QString& mask, const Result<QString>& field,
                      const QString& context)
{
    if (!std::isfinite(number)) {
        requireThat(!field.ok(), "a number that is not finite is refused", context);
        return;
    }
    if (std::fabs(number) >= exactlyPrintable) {
        if (field.ok()) {
            const QString& text = field.value();
            requireThat(text.size() <= mask.size(), "a large number never outgrows the mask",
                        context);
            requireThat(text.size() == mask.size() || text.size() > 20,
                        "a large number fills the mask unless twenty zeros are not enough",
                        context);
        }
        return;
    }
    const QString digits = QString::number(qint64(std::floor(number)));
    const bool fits = digits.size() <= mask.size();
    requireThat(field.ok() == fits, "a number is refused exactly when its digits do not fit",
                context);
    if (!fits) {
        return;
    }
    const qsizetype zeros = std::min<qsizetype>(mask.size() - digits.size(), 20);
    requireThat(field.value() == QString(zeros, u'0') + digits,
                "a number is its integer part after at most twenty zeros", context);
    requireThat(field.value().size() == mask.size() || zeros == 20,
                "a number fills the mask when twenty zeros are enough", context);
}

void checkField(const FieldValue& value, const QString& mask)
{
    const QString context = describe(value, mask);
    const Result<QString> field = zelpo::FormatoCampo(value, mask);

    const Result<QString> plainMask = zelpo::FormatoCampo(value, QString(mask.size(), u'0'));
    requireThat(field.ok() == plainMask.ok() && (!field.ok() || field.value() == plainMask.value()),
                "only the mask's length counts, never its characters", context);

    if (const auto* number = std::get_if<double>(&value)) {
        checkNumberField(*number, mask, field, context);
    } else if (const auto* date = std::get_if<QDate>(&value)) {
        requireThat(field.ok() == date->isValid(), "a date is refused exactly when invalid",
                    context);
        if (field.ok()) {
            // dd/mm/yyyy only has room for the years 100 to 9999 the date reader takes.
            const bool writable = date->year() >= 100 && date->year() <= 9999;
            requireThat(!writable || zelpo::dateValue(field.value()) == *date,
                        "a date field reads back as the same day", context);
        }
    } else {
        const QString& text = std::get<QString>(value);
        if (zelpo::isDate(text)) {
            requireThat(field.ok() && field.value() == text, "a date text is kept as typed",
                        context);
        } else if (zelpo::isNumber(text)) {
            checkNumberField(zelpo::numericValue(text), mask, field, context);
        } else {
            requireThat(field.ok() && field.value() == text.left(mask.size()),
                        "any other text is cut to the mask's length", context);
        }
    }
}

// The first four bytes choose the value's kind, the mask's length (up to 511, beyond the digits of
// any double and twenty zeros) and the mask's character; the rest is the value.
FieldValue valueFrom(uint8_t kind, const uint8_t* data, size_t size)
{
    switch (kind % 4) {
    case 0: {
        double number = 0;
        std::memcpy(&number, data, std::min(size, sizeof number));
        return number;
    }
    case 1: {
        // Days around today's patients, and now and then the invalid date.
        int32_t offset = 0;
        std::memcpy(&offset, data, std::min(size, sizeof offset));
        if (size > sizeof offset && data[sizeof offset] == 0xff) {
            return QDate();
        }
        return QDate(2000, 1, 1).addDays(offset);
    }
    case 2: {
        // A number as the program would read it from a box.
        return zelpo::numericValue(zelpo::fuzz::textFrom(data, size));
    }
    default:
        return zelpo::fuzz::textFrom(data, size);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4) {
        return 0;
    }
    const qsizetype maskLength = data[1] | (data[2] & 1) << 8;
    const QString mask(maskLength, QChar(data[3]));
    checkField(valueFrom(data[0], data + 4, size - 4), mask);
    return 0;
}
