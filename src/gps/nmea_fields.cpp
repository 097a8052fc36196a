#include "gps/nmea_fields.hpp"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/system_clock.hpp"

namespace vantrek {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int16_t TwoDigitsAt(const char* field, int position) {
    return static_cast<int16_t>(ScanFieldIntAt(field, position, 2));
}

}  // namespace

bool VerifyChecksum(const char* line, int length) {
    if (line == nullptr) return false;
    int star = -1;
    for (int i = 6; i < length; ++i) {
        if (line[i] == '*') {
            star = i;
            break;
        }
    }
    if (star < 0 || star + 2 >= length) return false;
    const int high = HexDigit(line[star + 1]);
    const int low = HexDigit(line[star + 2]);
    if (high < 0 || low < 0) return false;
    unsigned sum = 0;
    for (int i = 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
    return sum == static_cast<unsigned>(high * 16 + low);
}

void ExtractField(const char* line, int length, int n, char (&out)[kNmeaFieldCapacity]) {
    std::memset(out, 0, sizeof out);
    if (line == nullptr) return;
    int field = 0;
    int kept = 0;
    for (int i = 6; i < length; ++i) {
        const char c = line[i];
        // The checksum after the '*' is not a field: missing trailing fields read empty.
        if (c == '*' || c == '\r' || c == '\n' || c == '\0') break;
        if (c == ',') {
            if (++field > n) break;
            continue;
        }
        if (field == n && kept < kNmeaFieldMaxChars) out[kept++] = c;
    }
}

int32_t ScanFieldInt(const char* text, int maxChars) {
    if (text == nullptr) return 0;
    while (*text == ' ' || *text == '\t') ++text;
    int used = 0;
    bool negative = false;
    if (used < maxChars && (*text == '+' || *text == '-')) {
        negative = *text == '-';
        ++text;
        ++used;
    }
    int64_t value = 0;
    while (used < maxChars && IsDigit(*text)) {
        if (value < 10000000000LL) value = value * 10 + (*text - '0');
        ++text;
        ++used;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

int32_t ScanFieldIntAt(const char* field, int position, int maxChars) {
    if (field == nullptr || position < 0) return 0;
    for (int i = 0; i < position; ++i) {
        if (field[i] == '\0') return 0;
    }
    return ScanFieldInt(field + position, maxChars);
}

double ScanFieldDouble(const char* text) {
    if (text == nullptr) return 0.0;
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || !std::isfinite(value)) return 0.0;
    return value;
}

double NmeaToDegrees(double value) {
    if (!std::isfinite(value) || value > 18000.0) return 0.0;
    const double degrees = std::trunc(value * 0.01);
    return degrees + (value - 100.0 * degrees) / 60.0;
}

NmeaTimeOfDay ReadNmeaTime(const char* field) {
    NmeaTimeOfDay time;
    if (field == nullptr) return time;
    time.hour = TwoDigitsAt(field, 0);
    time.minute = TwoDigitsAt(field, 2);
    time.second = TwoDigitsAt(field, 4);
    time.hundredths = TwoDigitsAt(field, 7);
    // "hhmmss.s": one digit of fraction is tenths, not hundredths.
    if (std::strlen(field) == 8 && IsDigit(field[7])) {
        time.hundredths = static_cast<int16_t>(time.hundredths * 10);
    }
    return time;
}

void StoreNmeaTime(GpsFixData& data, const NmeaTimeOfDay& time, uint32_t tick) {
    data.utcHour = time.hour;
    data.utcMinute = time.minute;
    data.utcSecond = time.second;
    data.utcHundredths = time.hundredths;
    data.lastTimeTick = tick;
}

void ParseUtcTime(const char* field, GpsFix& fix) {
    const NmeaTimeOfDay time = ReadNmeaTime(field);
    const uint32_t tick = MillisecondTick();
    UpdateGpsFix(fix, [&](GpsFixData& data) { StoreNmeaTime(data, time, tick); });
}

}  // namespace vantrek
