#include "platform/system_clock.hpp"

#include <chrono>
#include <ctime>
#include <thread>

namespace vantrek {

uint32_t MillisecondTick() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));  // wraps like a 32-bit tick
}

uint32_t PosixSystemClock::tickMs() { return MillisecondTick(); }

namespace {

LocalClockTime readClock(bool utc) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm parts{};
    const time_t seconds = now.tv_sec;
    if (utc) {
        gmtime_r(&seconds, &parts);
    } else {
        localtime_r(&seconds, &parts);
    }
    LocalClockTime time;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    time.millisecond = static_cast<int32_t>(now.tv_nsec / 1000000);
    return time;
}

}  // namespace

LocalClockTime PosixSystemClock::localTime() { return readClock(false); }

LocalClockTime PosixSystemClock::utcTime() { return readClock(true); }

bool PosixSystemClock::setUtcTime(const LocalClockTime& time) {
    std::tm parts{};
    parts.tm_year = time.year - 1900;
    parts.tm_mon = time.month - 1;
    parts.tm_mday = time.day;
    parts.tm_hour = time.hour;
    parts.tm_min = time.minute;
    parts.tm_sec = time.second;
    const time_t seconds = timegm(&parts);
    if (seconds == static_cast<time_t>(-1)) return false;
    timespec target{};
    target.tv_sec = seconds;
    target.tv_nsec = static_cast<long>(time.millisecond) * 1000000L;
    return clock_settime(CLOCK_REALTIME, &target) == 0;
}

void PosixSystemClock::sleepMs(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool FakeSystemClock::setUtcTime(const LocalClockTime& time) {
    ++setCalls;
    lastSet = time;
    return !refuseSet;
}

void FakeSystemClock::sleepMs(uint32_t milliseconds) {
    sleptMs += milliseconds;
    tick += milliseconds;
}

}  // namespace vantrek
