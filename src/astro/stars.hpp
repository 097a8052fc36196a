#pragma once

#include <cstdint>

#include "astro/look_angles.hpp"
#include "astro/observer.hpp"
#include "astro/star_catalog.hpp"

namespace vantrek {

// How many leading catalogue rows the sky view scans for a star magnitude
// limit: 16 for 1 or less, 50 for 2, 174 for 3, 505 for 4, all for 5 or more.
// A scanned star is drawn when it is up and its magnitude is below the limit.
int StarRowsExamined(int16_t magnitudeLimit);

// A star's place in the observer's sky. sinT and cosT are the sine and cosine
// of the local sidereal angle; the observer's stored sine and cosine of
// latitude are read. The elevation is always written (refracted when
// refraction = 1 and above -0.5 degree); the azimuth only for a star above the
// horizon, and then it may exceed 2 pi (only its sine and cosine matter). The
// range fields are not touched.
void StarHorizon(double sinT, double cosT, const StarRow& star, const Observer& observer,
                 int32_t refraction, LookAngles& out);

}  // namespace vantrek
