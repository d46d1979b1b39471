#pragma once

#include "core/Clock.h"

// A clock stopped on one day, so that ages and "today" in saved records are predictable.
class FixedClock final : public zelpo::Clock
{
public:
    explicit FixedClock(QDate today = QDate(2024, 1, 15)) : m_today(today) {}

    void setToday(QDate today) { m_today = today; }
    QDate today() const override { return m_today; }

private:
    QDate m_today;
};
