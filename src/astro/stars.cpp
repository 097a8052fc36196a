#include "astro/stars.hpp"

#include <cmath>

#include "astro/angles.hpp"
#include "astro/constants.hpp"
#include "astro/refraction.hpp"

namespace vantrek {

int StarRowsExamined(int16_t magnitudeLimit) {
    if (magnitudeLimit <= 1) return 16;
    if (magnitudeLimit == 2) return 50;
    if (magnitudeLimit == 3) return 174;
    if (magnitudeLimit == 4) return 505;
    return kStarCount;
}

void StarHorizon(double sinT, double cosT, const StarRow& star, const Observer& observer,
                 int32_t refraction, LookAngles& out) {
    const double sa = star.sinRightAscension;
    const double ca = star.cosRightAscension;
    const double sd = star.sinDeclination;
    const double cd = star.cosDeclination;
    const double cosH = sinT * sa + cosT * ca;  // H = local sidereal angle - right ascension
    double sinElevation = observer.cosLatitude * cd * cosH + observer.sinLatitude * sd;
    // Rounding can carry a star at the zenith just past 1.
    if (sinElevation > 1.0) sinElevation = 1.0;
    if (sinElevation < -1.0) sinElevation = -1.0;
    out.elevation = std::asin(sinElevation);

    if (refraction == 1 && out.elevation > kRefractionFloor) ApplyRefraction(out);

    if (out.elevation > 0.0) {
        const double sinH = sinT * ca - cosT * sa;
        out.azimuth = AngleFromSinCos(sinH, observer.sinLatitude * cosH - (sd / cd) * observer.cosLatitude) + kPi;
    }
}

}  // namespace vantrek
