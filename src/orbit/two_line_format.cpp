#include "orbit/two_line_format.hpp"

#include <cmath>
#include <cstring>

#include "astro/constants.hpp"

namespace vantrek {

namespace {

constexpr int kMaxField = 16;

// Columns first..last of a line with the blanks removed; columns past the end
// of the line are blank.
void fieldText(const char* line, int first, int last, char (&out)[kMaxField + 1]) {
    const std::size_t length = std::strlen(line);
    int n = 0;
    for (int column = first; column <= last && n < kMaxField; ++column) {
        const std::size_t index = static_cast<std::size_t>(column - 1);
        if (index >= length) break;
        const char c = line[index];
        if (c != ' ') out[n++] = c;
    }
    out[n] = '\0';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

long integerFromText(const char* text) {
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long value = 0;
    for (; isDigit(*p) && value < 100000000000L; ++p) value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

// A decimal number with an optional sign, digits, and an optional fraction.
double decimalFromText(const char* text) {
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    double value = 0.0;
    for (; isDigit(*p); ++p) value = value * 10.0 + (*p - '0');
    if (*p == '.') {
        double scale = 0.1;
        for (++p; isDigit(*p); ++p, scale *= 0.1) value += (*p - '0') * scale;
    }
    return negative ? -value : value;
}

char columnAt(const char* line, int column) {
    const std::size_t index = static_cast<std::size_t>(column - 1);
    return index < std::strlen(line) ? line[index] : ' ';
}

// Degrees in whole-degree columns plus four-digit fraction columns, in radians.
double angleField(const char* line, int degreesFirst, int degreesLast, int fractionFirst,
                  int fractionLast) {
    const double degrees = static_cast<double>(readIntegerField(line, degreesFirst, degreesLast)) +
                           static_cast<double>(readIntegerField(line, fractionFirst, fractionLast)) / 1.0e4;
    return degrees * kDegree;
}

}  // namespace

long readIntegerField(const char* line, int first, int last) {
    char text[kMaxField + 1];
    fieldText(line, first, last, text);
    return integerFromText(text);
}

long readCatalogNumber(const char* line) {
    char text[kMaxField + 1];
    fieldText(line, 3, 8, text);
    const char letter = text[0];
    const bool alpha5 = letter >= 'A' && letter <= 'Z' && letter != 'I' && letter != 'O' &&
                        isDigit(text[1]) && isDigit(text[2]) && isDigit(text[3]) && isDigit(text[4]);
    if (!alpha5) return integerFromText(text);
    // Letters skip I and O so that they cannot be mistaken for 1 and 0.
    int value = letter - 'A' + 10;
    if (letter > 'I') --value;
    if (letter > 'O') --value;
    return value * 10000L + integerFromText(text + 1) % 10000L;
}

bool parseElementSet(const char* nameLine, const char* line1, const char* line2, ElementSet& slot) {
    std::memset(slot.name, 0, sizeof slot.name);
    std::strncpy(slot.name, nameLine, sizeof slot.name - 1);

    slot.catalogNumber = static_cast<int32_t>(readCatalogNumber(line1));

    slot.epoch = static_cast<double>(readIntegerField(line1, 19, 23)) +
                 static_cast<double>(readIntegerField(line1, 25, 32)) / 1.0e8;

    const double dotSign = columnAt(line1, 34) == '-' ? -1.0 : 1.0;
    slot.meanMotionDot = dotSign * static_cast<double>(readIntegerField(line1, 36, 43)) / 1.0e8;
    slot.meanMotionDDot = 0.0;

    const double bstarSign = columnAt(line1, 54) == '-' ? -1.0 : 1.0;
    const double mantissa = static_cast<double>(readIntegerField(line1, 55, 59));
    const long exponent = readIntegerField(line1, 60, 61);
    slot.bstar = bstarSign * mantissa * std::pow(10.0, static_cast<double>(exponent - 5));

    slot.elementNumber = static_cast<int32_t>(readIntegerField(line1, 65, 68));

    slot.inclination = angleField(line2, 9, 11, 13, 16);
    slot.raan = angleField(line2, 18, 20, 22, 25);
    slot.eccentricity = static_cast<double>(readIntegerField(line2, 27, 33)) * 1.0e-7;
    slot.argPerigee = angleField(line2, 35, 37, 39, 42);

    char anomaly[kMaxField + 1];
    fieldText(line2, 44, 51, anomaly);
    slot.meanAnomaly = decimalFromText(anomaly) * kDegree;

    const double revsPerDay = static_cast<double>(readIntegerField(line2, 53, 54)) +
                              static_cast<double>(readIntegerField(line2, 56, 63)) / 1.0e8;
    slot.meanMotion = revsPerDay * kRevPerDayToRadPerMin;
    slot.revolutionNumber = static_cast<int32_t>(readIntegerField(line2, 64, 68));

    return slot.catalogNumber != 0;
}

}  // namespace vantrek
