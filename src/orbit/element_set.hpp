#pragma once

#include <cstdint>
#include <vector>

namespace vantrek {

// One element set in the units the propagators use. The same record is a
// catalogue entry and the working record handed to the propagators; `period`
// and `deepSpace` are filled only in a working record, at initialisation.
struct ElementSet {
    double epoch = 0.0;           // YYDDD.DDDDDDDD exactly as the line gives it
    double meanMotionDot = 0.0;   // rev/day^2, first derivative / 2; read by no model
    double meanMotionDDot = 0.0;  // never filled from the line
    double bstar = 0.0;           // inverse Earth radii
    double inclination = 0.0;     // rad
    double raan = 0.0;            // rad
    double eccentricity = 0.0;
    double argPerigee = 0.0;      // rad
    double meanAnomaly = 0.0;     // rad
    double meanMotion = 0.0;      // Kozai mean motion, rad/min
    int32_t catalogNumber = 0;
    int32_t revolutionNumber = 0;
    int32_t elementNumber = 0;
    char name[25] = {};           // first 24 characters of the name line, trailing blanks kept
    double period = 0.0;          // minutes
    int16_t deepSpace = 0;        // 1 when the period is 225 minutes or more
};

// The most element sets one catalogue holds: the whole public catalogue
// (about 30,000 objects) three times over. A file with more is read up to here.
constexpr int kCatalogLimit = 100000;

// The selection keeps at least this many flags, so that a Select.bol of the
// first years (400 flags, 1,600 bytes) still reads and a small catalogue
// writes the same file as then.
constexpr int kSelectionMinimumFlags = 400;

// The satellites the program knows: the loaded element sets, which of them
// are shown, and the current one with its working copy. `entries` holds
// `count` sets and `selected` at least max(400, count) flags, by slot; both
// grow with the file, never with the limit.
struct SatelliteCatalog {
    std::vector<ElementSet> entries;
    int32_t count = 0;
    std::vector<int32_t> selected = std::vector<int32_t>(kSelectionMinimumFlags, 0);  // 1 shown and tracked, 0 not
    int32_t current = 0;
    ElementSet currentSet;
};

}  // namespace vantrek
