#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "orbit/element_set.hpp"

namespace vantrek {

// The fields of an orbit mean-elements message that an element set is made of.
enum OmmField {
    kOmmObjectName,
    kOmmNoradCatId,
    kOmmEpoch,
    kOmmMeanMotion,
    kOmmEccentricity,
    kOmmInclination,
    kOmmRaOfAscNode,
    kOmmArgOfPericenter,
    kOmmMeanAnomaly,
    kOmmElementSetNo,
    kOmmRevAtEpoch,
    kOmmBstar,
    kOmmMeanMotionDot,
    kOmmFieldCount
};

// A value longer than this is no number, and a name is cut to 24 characters
// anyway; what a reader keeps of a value is at most one character more, so
// that an overlong value is told from one that fits.
constexpr std::size_t kOmmValueMaxBytes = 64;

// One message as its reader found it: the text of each field it had.
struct OmmRecord {
    std::string value[kOmmFieldCount];
    bool present[kOmmFieldCount] = {};
};

// The field a key names (OBJECT_NAME, NORAD_CAT_ID, ...), or -1 for a key the
// element set does not use.
int ommFieldIndex(std::string_view key);

// Keeps a field's text (at most kOmmValueMaxBytes + 1 characters of it).
void setOmmValue(OmmRecord& record, int field, std::string_view text);

// Fills `set` as the two-line parser would from the same satellite's lines:
// epoch as YYDDD.DDDDDDDD, angles in radians, mean motion in rad/min. False,
// with `set` in an unspecified state, when a needed field is missing, is not a
// number or is out of range (eccentricity outside [0, 1), mean motion not in
// (0, 100) rev/day, inclination outside [0, 180] degrees, other angles beyond a
// turn either way, an epoch outside 1957-2056 that two digits cannot hold,
// a catalogue number not in 1..2147483647). The name, element number,
// revolution number, B* and the mean-motion derivative may be missing or empty
// (0, as a blank two-line field).
bool elementSetFromOmm(const OmmRecord& record, ElementSet& set);

// Element sets of one file on their way into the catalogue: each usable
// record is appended to `sets` until the catalogue limit, counted past it, or
// counted as skipped.
struct OmmLoad {
    std::vector<ElementSet>& sets;
    int skipped = 0;
    int beyondLimit = 0;  // usable records past kCatalogLimit
};

// Adds one record.
void addOmmRecord(OmmLoad& load, const OmmRecord& record);

// Counts a record that was found but could not be read (cut off, not an object).
void skipOmmRecord(OmmLoad& load);

}  // namespace vantrek
