#pragma once

#include <QDate>
#include <QDateTime>

namespace vitalog {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
    QDate Today() const { return Now().date(); }
};

class SystemClock : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

} // namespace vitalog
