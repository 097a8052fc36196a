#pragma once

#include <cstdint>

namespace vantrek {

// One catalogue star, kept as the trigonometric values the sky needs.
struct StarRow {
    double sinRightAscension;
    double cosRightAscension;
    double sinDeclination;
    double cosDeclination;
    double magnitude;  // visual
};

// The 1630 stars of magnitude 5.0 or brighter: rows 0..1628 in increasing
// magnitude (-0.72 to 5.0), then the brightest star (-1.46) in the last row.
constexpr int kStarCount = 1630;
extern const StarRow StarCatalog[kStarCount];

// For each star, the row of the star a constellation line joins it to, or 0
// for none (row 0 can therefore never be a link's far end).
extern const int32_t StarLinks[kStarCount];

}  // namespace vantrek
