#include "orbit/omm_epoch.hpp"

#include <cstdint>

namespace vantrek {

namespace {

constexpr int64_t kNanosecondsPerDay = 86400LL * 1000000000LL;

// Reads exactly `count` digits at `position`; false if any is not a digit.
bool readDigits(std::string_view text, std::size_t& position, int count, int& value) {
    if (position + static_cast<std::size_t>(count) > text.size()) return false;
    value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[position++];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool expect(std::string_view text, std::size_t& position, char c) {
    if (position >= text.size() || text[position] != c) return false;
    ++position;
    return true;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// YYYY-MM-DD or YYYY-DDD as the day of the year, from 1.
bool readDate(std::string_view text, std::size_t& position, int& year, int& dayOfYear) {
    if (!readDigits(text, position, 4, year) || !expect(text, position, '-')) return false;
    // MM-DD has its dash two characters on; DDD has none.
    const bool ordinal = !(position + 2 < text.size() && text[position + 2] == '-');
    if (ordinal) {
        if (!readDigits(text, position, 3, dayOfYear)) return false;
        return dayOfYear >= 1 && dayOfYear <= (isLeapYear(year) ? 366 : 365);
    }
    int month = 0;
    int day = 0;
    if (!readDigits(text, position, 2, month) || !expect(text, position, '-') ||
        !readDigits(text, position, 2, day)) {
        return false;
    }
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return false;
    dayOfYear = day;
    for (int m = 1; m < month; ++m) dayOfYear += daysInMonth(year, m);
    return true;
}

// hh:mm:ss with an optional fraction, in nanoseconds since 0 h.
bool readTime(std::string_view text, std::size_t& position, int64_t& nanoseconds) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!readDigits(text, position, 2, hour) || !expect(text, position, ':') ||
        !readDigits(text, position, 2, minute) || !expect(text, position, ':') ||
        !readDigits(text, position, 2, second)) {
        return false;
    }
    // A leap second has no place in a two-line epoch.
    if (hour > 23 || minute > 59 || second > 59) return false;
    int64_t fraction = 0;
    if (position < text.size() && text[position] == '.') {
        ++position;
        int digits = 0;
        for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position, ++digits) {
            if (digits < 9) fraction = fraction * 10 + (text[position] - '0');
        }
        if (digits == 0) return false;
        for (; digits < 9; ++digits) fraction *= 10;
    }
    nanoseconds = ((hour * 60LL + minute) * 60LL + second) * 1000000000LL + fraction;
    return true;
}

}  // namespace

bool epochFromIsoTime(std::string_view text, double& epoch) {
    std::size_t position = 0;
    int year = 0;
    int dayOfYear = 0;
    int64_t nanoseconds = 0;
    if (!readDate(text, position, year, dayOfYear)) return false;
    if (position >= text.size() || (text[position] != 'T' && text[position] != ' ')) return false;
    ++position;
    if (!readTime(text, position, nanoseconds)) return false;
    if (position < text.size() && text[position] == 'Z') ++position;
    if (position != text.size()) return false;
    // Two-digit years: 57-99 are 1957-1999, 00-56 are 2000-2056.
    if (year < 1957 || year > 2056) return false;

    // Both sides of the division are exact doubles, so the quotient is the
    // correctly rounded day fraction: for a multiple of 864 us it equals the
    // two-line parser's integer / 1e8.
    const double yyddd = static_cast<double>((year % 100) * 1000 + dayOfYear);
    epoch = yyddd + static_cast<double>(nanoseconds) / static_cast<double>(kNanosecondsPerDay);
    return true;
}

}  // namespace vantrek
