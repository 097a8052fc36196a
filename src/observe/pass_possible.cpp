#include "observe/pass_possible.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "astro/earth_model.hpp"

namespace vantrek {

namespace {

constexpr double kOneMinuteOrbitRadius = 331.25;  // km, semi-major axis of a one-minute orbit

}  // namespace

int32_t PassPossible(const ElementSet& set, const Observer& observer) {
    const double revolutionsPerDay = set.meanMotion / kRevPerDayToRadPerMin;
    if (revolutionsPerDay == 0.0) return 0;
    double inclination = set.inclination;
    if (inclination >= kHalfPi) inclination = kTwoPi - inclination;
    const double apogee = kOneMinuteOrbitRadius *
                          std::exp((2.0 / 3.0) * std::log(1440.0 / revolutionsPerDay)) *
                          (1.0 + set.eccentricity);
    const double horizonAngle = std::acos(kEarthEquatorialRadius / apogee);
    return horizonAngle + inclination > std::fabs(observer.latitude) ? 1 : 0;
}

}  // namespace vantrek
