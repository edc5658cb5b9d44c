#pragma once
#include <compare>
#include <ctime>

namespace planek {

struct civil_date {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    auto operator<=>(const civil_date&) const = default;
};

// Everything that needs "today" asks the clock, so tests can set the date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::time_t now() const = 0;
    civil_date today() const;
};

class SystemClock : public Clock {
public:
    std::time_t now() const override { return std::time(nullptr); }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(std::time_t t) : t_(t) {}
    FixedClock(int year, int month, int day);
    std::time_t now() const override { return t_; }
    void set(std::time_t t) { t_ = t; }

private:
    std::time_t t_;
};

}  // namespace planek
