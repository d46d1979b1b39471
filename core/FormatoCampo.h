#pragma once

#include "core/Failure.h"

#include <variant>

#include <QDate>
#include <QString>

namespace zelpo {

using FieldValue = std::variant<double, QDate, QString>;

// The text of a fixed-width field. Only the mask's length counts, never its characters:
// - a date (or a text that reads as one) gives dd/mm/yyyy whatever the mask, a text unchanged;
// - a number (or a text that reads as one) gives its integer part, rounded towards minus
//   infinity, with at most twenty zeros in front up to the mask's length, a "-" staying after
//   the zeros; InvalidArgument when the digits are longer than the mask or the number is not
//   finite;
// - any other text is cut to the mask's length.
Result<QString> FormatoCampo(const FieldValue& value, const QString& mask);

} // namespace zelpo
