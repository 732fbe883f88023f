#pragma once

#include <QDateTime>

// The current local time, injectable for tests.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime t) : time(std::move(t)) {}
    QDateTime now() const override { return time; }
    QDateTime time;
};
