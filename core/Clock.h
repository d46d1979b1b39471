#pragma once

#include <QDate>

namespace zelpo {

// Today's date, behind an interface so that tests can fix the day.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDate today() const override;
};

} // namespace zelpo
