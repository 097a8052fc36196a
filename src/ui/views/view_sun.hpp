#pragma once

#include "astro/vector4.hpp"

namespace vantrek {

// The Sun's geocentric position (km, w = its distance) as the views place it:
// with the planets shown, the negated heliocentric position of the Earth from
// the planet table, so that Sun and planets agree; otherwise SunPosition.
void ViewSunPosition(double jd, bool planetsShown, Vector4& out);

}  // namespace vantrek
