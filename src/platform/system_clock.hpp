#pragma once

#include <cstdint>

namespace vantrek {

// A calendar instant of the computer's clock, local time unless a name says UTC.
struct LocalClockTime {
    int32_t year = 0;
    int32_t month = 0;  // 1..12
    int32_t day = 0;    // 1..31
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t millisecond = 0;
};

// Milliseconds of a monotonic clock, wrapping every 49.7 days; only
// differences of two ticks mean anything.
uint32_t MillisecondTick();

// The computer's clock as the program uses it: a millisecond tick, the local
// time and UTC, setting the local time, and sleeping.
class SystemClock {
public:
    virtual ~SystemClock() = default;

    virtual uint32_t tickMs() = 0;  // on the scale of MillisecondTick()
    virtual LocalClockTime localTime() = 0;
    virtual LocalClockTime utcTime() = 0;
    // Sets the clock to a UTC time; the system's zone rules give local time
    // from it. False when the system refuses (the program lacks the right to
    // set the clock).
    virtual bool setUtcTime(const LocalClockTime& time) = 0;
    virtual void sleepMs(uint32_t milliseconds) = 0;
};

// The real clock of a POSIX system.
class PosixSystemClock final : public SystemClock {
public:
    uint32_t tickMs() override;
    LocalClockTime localTime() override;
    LocalClockTime utcTime() override;
    bool setUtcTime(const LocalClockTime& time) override;
    void sleepMs(uint32_t milliseconds) override;
};

// A clock for tests: the tick, the local time and UTC are whatever the test sets;
// sleeping only advances the tick, and setting the time records it instead.
class FakeSystemClock final : public SystemClock {
public:
    uint32_t tickMs() override { return tick; }
    LocalClockTime localTime() override { return local; }
    LocalClockTime utcTime() override { return utc; }
    bool setUtcTime(const LocalClockTime& time) override;
    void sleepMs(uint32_t milliseconds) override;

    uint32_t tick = 0;
    LocalClockTime local;
    LocalClockTime utc;
    bool refuseSet = false;   // setUtcTime fails, as without the right to set the clock
    int setCalls = 0;
    LocalClockTime lastSet;   // the UTC time of the last setUtcTime call
    uint32_t sleptMs = 0;     // all sleeps added up
};

}  // namespace vantrek
