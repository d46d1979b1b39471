#pragma once

#include <QString>

namespace zelpo {

// The twelve lines of the "?" help, each ended by a carriage return alone, the last included.
QString helpText();

} // namespace zelpo
