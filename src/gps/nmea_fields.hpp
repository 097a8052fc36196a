#pragma once

#include <cstdint>

#include "gps/gps_fix.hpp"

namespace vantrek {

constexpr int kNmeaFieldMaxChars = 10;  // longer fields are cut to their first 10 characters
constexpr int kNmeaFieldCapacity = kNmeaFieldMaxChars + 1;

// True when the two hexadecimal digits after the first '*' (searched from
// position 6 on) equal the XOR of the bytes between the '$' and the '*'.
bool VerifyChecksum(const char* line, int length);

// Copies field n (numbered from 1, after the comma that follows the five-letter
// address) into `out`; ',' ends a field and '*' the last one, an absent field
// is empty.
void ExtractField(const char* line, int length, int n, char (&out)[kNmeaFieldCapacity]);

// Reads an integer the way a formatted scan of width `maxChars` does (leading
// blanks skipped, a sign counts toward the width); 0 when there is none.
// Values beyond the 32-bit range are clamped.
int32_t ScanFieldInt(const char* text, int maxChars);

// ScanFieldInt at a character position of a field; 0 when the field is shorter.
int32_t ScanFieldIntAt(const char* field, int position, int maxChars);

// Reads a decimal number; 0 when there is none or it is not finite.
double ScanFieldDouble(const char* text);

// dddmm.mmmm to degrees; 0 above 18000 (and for a value that is not finite).
double NmeaToDegrees(double value);

// A time of day hhmmss.ss as read from a time field.
struct NmeaTimeOfDay {
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;
    int16_t hundredths = 0;
};

// Characters 0-1 hour, 2-3 minute, 4-5 second, 7-8 hundredths. A fraction of
// a single digit is tenths; an absent fraction is 0.
NmeaTimeOfDay ReadNmeaTime(const char* field);

// Writes a time of day into the fix data together with the tick it arrived at.
void StoreNmeaTime(GpsFixData& data, const NmeaTimeOfDay& time, uint32_t tick);

// Stores the time of a time field, with the current tick as lastTimeTick.
void ParseUtcTime(const char* field, GpsFix& fix);

}  // namespace vantrek
