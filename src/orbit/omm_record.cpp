#include "orbit/omm_record.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "astro/constants.hpp"
#include "orbit/omm_epoch.hpp"

namespace vantrek {

namespace {

constexpr const char* kFieldNames[kOmmFieldCount] = {
    "OBJECT_NAME",    "NORAD_CAT_ID",      "EPOCH",        "MEAN_MOTION",    "ECCENTRICITY",
    "INCLINATION",    "RA_OF_ASC_NODE",    "ARG_OF_PERICENTER", "MEAN_ANOMALY", "ELEMENT_SET_NO",
    "REV_AT_EPOCH",   "BSTAR",             "MEAN_MOTION_DOT"};

constexpr std::size_t kNameBytes = sizeof(ElementSet{}.name) - 1;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The text of a field, blank-trimmed; empty when the record lacks it.
std::string_view fieldText(const OmmRecord& record, OmmField field) {
    return record.present[field] ? trimmed(record.value[field]) : std::string_view();
}

// Drops a leading '+', which the number readers do not take; false for an
// empty text or a second sign.
bool withoutPlus(std::string_view& text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return false;
    }
    return !text.empty();
}

// A finite decimal number that is the whole of the text (an optional sign,
// digits with an optional point, an optional exponent).
bool readNumber(std::string_view text, double& value) {
    if (text.size() > kOmmValueMaxBytes || !withoutPlus(text)) return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool readInteger(std::string_view text, int64_t& value) {
    if (text.size() > kOmmValueMaxBytes || !withoutPlus(text)) return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

bool requiredNumber(const OmmRecord& record, OmmField field, double low, double high, double& value) {
    return readNumber(fieldText(record, field), value) && value >= low && value <= high;
}

// A missing or empty field is 0, as a blank two-line field.
bool optionalNumber(const OmmRecord& record, OmmField field, double& value) {
    value = 0.0;
    const std::string_view text = fieldText(record, field);
    return text.empty() || readNumber(text, value);
}

bool optionalInt32(const OmmRecord& record, OmmField field, int32_t& value) {
    value = 0;
    const std::string_view text = fieldText(record, field);
    if (text.empty()) return true;
    int64_t wide = 0;
    if (!readInteger(text, wide) || wide < std::numeric_limits<int32_t>::min() ||
        wide > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    value = static_cast<int32_t>(wide);
    return true;
}

// The first 24 bytes of the name, control characters as blanks; a UTF-8
// character that does not fit whole is left out.
void copyName(std::string_view text, char (&name)[kNameBytes + 1]) {
    std::memset(name, 0, sizeof name);
    std::size_t length = text.size() < kNameBytes ? text.size() : kNameBytes;
    if (length < text.size()) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        name[i] = c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
    }
}

}  // namespace

int ommFieldIndex(std::string_view key) {
    key = trimmed(key);
    for (int i = 0; i < kOmmFieldCount; ++i) {
        if (key == kFieldNames[i]) return i;
    }
    return -1;
}

void setOmmValue(OmmRecord& record, int field, std::string_view text) {
    if (field < 0 || field >= kOmmFieldCount) return;
    record.present[field] = true;
    record.value[field].assign(text.data(), text.size() <= kOmmValueMaxBytes ? text.size() : kOmmValueMaxBytes + 1);
}

bool elementSetFromOmm(const OmmRecord& record, ElementSet& set) {
    set = ElementSet{};
    copyName(fieldText(record, kOmmObjectName), set.name);

    int64_t number = 0;
    if (!readInteger(fieldText(record, kOmmNoradCatId), number) || number < 1 ||
        number > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    set.catalogNumber = static_cast<int32_t>(number);
    if (!epochFromIsoTime(fieldText(record, kOmmEpoch), set.epoch)) return false;

    double revsPerDay = 0.0;
    double inclination = 0.0;
    double raan = 0.0;
    double argPerigee = 0.0;
    double meanAnomaly = 0.0;
    if (!requiredNumber(record, kOmmMeanMotion, 0.0, 100.0, revsPerDay) || revsPerDay == 0.0 ||
        revsPerDay == 100.0 || !requiredNumber(record, kOmmEccentricity, 0.0, 1.0, set.eccentricity) ||
        set.eccentricity == 1.0 || !requiredNumber(record, kOmmInclination, 0.0, 180.0, inclination) ||
        !requiredNumber(record, kOmmRaOfAscNode, -360.0, 360.0, raan) ||
        !requiredNumber(record, kOmmArgOfPericenter, -360.0, 360.0, argPerigee) ||
        !requiredNumber(record, kOmmMeanAnomaly, -360.0, 360.0, meanAnomaly)) {
        return false;
    }
    set.meanMotion = revsPerDay * kRevPerDayToRadPerMin;
    set.inclination = inclination * kDegree;
    set.raan = raan * kDegree;
    set.argPerigee = argPerigee * kDegree;
    set.meanAnomaly = meanAnomaly * kDegree;

    // The second derivative stays 0, as the two-line parser leaves it.
    return optionalNumber(record, kOmmBstar, set.bstar) &&
           optionalNumber(record, kOmmMeanMotionDot, set.meanMotionDot) &&
           optionalInt32(record, kOmmElementSetNo, set.elementNumber) &&
           optionalInt32(record, kOmmRevAtEpoch, set.revolutionNumber);
}

void addOmmRecord(OmmLoad& load, const OmmRecord& record) {
    ElementSet set;
    if (!elementSetFromOmm(record, set)) {
        ++load.skipped;
    } else if (load.sets.size() < static_cast<std::size_t>(kCatalogLimit)) {
        load.sets.push_back(set);
    } else {
        ++load.beyondLimit;
    }
}

void skipOmmRecord(OmmLoad& load) { ++load.skipped; }

}  // namespace vantrek
