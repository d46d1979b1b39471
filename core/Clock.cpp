#include "core/Clock.h"

namespace zelpo {

QDate SystemClock::today() const
{
    return QDate::currentDate();
}

} // namespace zelpo
