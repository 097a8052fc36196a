#include "astro/projections.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "astro/earth_model.hpp"

namespace vantrek {

namespace {

// Truncates a finite coordinate toward zero, limited to +-kPixelLimit.
int32_t pixelCoordinate(double value) {
    if (value > kPixelLimit) return kPixelLimit;
    if (value < -kPixelLimit) return -kPixelLimit;
    return static_cast<int32_t>(std::trunc(value));
}

bool storePixel(double x, double y, PixelPoint& out) {
    if (!std::isfinite(x) || !std::isfinite(y)) {
        out.x = kPixelOffscreen;
        out.y = kPixelOffscreen;
        return false;
    }
    out.x = pixelCoordinate(x);
    out.y = pixelCoordinate(y);
    return true;
}

}  // namespace

double ArcCosHalfPlane(double a, double b) {
    if (a == 0.0 || b == 0.0) return 0.0;
    if (b > 0.0) return std::acos(a / b);
    return std::acos(a / b) + kPi;
}

bool MapPixel(double latitude, double& longitude, int32_t width, int32_t height, PixelPoint& out) {
    if (!std::isfinite(latitude) || !std::isfinite(longitude)) return storePixel(NAN, NAN, out);
    // Into [-pi, pi]: a longitude left unreduced (the Moon's hour angle) still lands on the map.
    if (longitude > kPi || longitude < -kPi) longitude = std::remainder(longitude, kTwoPi);
    const double w = static_cast<double>(width);
    const double h = static_cast<double>(height);
    return storePixel(w * longitude / kTwoPi + w * 0.5, h * 0.5 - h * latitude / kPi, out);
}

FootprintCircle FootprintCircleAround(const GeodeticPoint& subPoint) {
    // Earth-central angle of the horizon circle; a point below the surface has none.
    double ratio = kEarthEquatorialRadius / (subPoint.height + kEarthEquatorialRadius);
    if (!(ratio > 0.0 && ratio < 1.0)) ratio = 1.0;
    FootprintCircle c;
    c.latitude = subPoint.latitude;
    c.longitude = subPoint.longitude;
    c.reach = std::acos(ratio) * 12756.33 * 0.5 / kEarthEquatorialRadius;
    c.sinLatitude = std::sin(c.latitude);
    c.cosLatitude = std::cos(c.latitude);
    c.sinReach = std::sin(c.reach);
    c.cosReach = std::cos(c.reach);
    return c;
}

bool FootprintPoint(const FootprintCircle& c, double bearingDeg, int32_t width, int32_t height,
                    PixelPoint& out) {
    const double lat = c.latitude;
    const double e = c.reach;
    const double bearing = bearingDeg * kDegree;
    const double phi2 = std::asin(c.cosReach * c.sinLatitude + std::cos(bearing) * c.sinReach * c.cosLatitude);
    const double num = c.cosReach - std::sin(phi2) * c.sinLatitude;
    const double den = std::cos(phi2) * c.cosLatitude;

    double lambda2;
    if ((bearingDeg == 0.0 && e > kHalfPi - lat) || (bearingDeg == 180.0 && e > kHalfPi + lat)) {
        lambda2 = c.longitude + kPi;  // the circle passes over a pole
    } else if (std::fabs(num / den) > 1.0) {
        lambda2 = c.longitude;
    } else if (bearingDeg <= 180.0) {
        lambda2 = c.longitude - ArcCosHalfPlane(num, den);
    } else {
        lambda2 = c.longitude + ArcCosHalfPlane(num, den);
    }
    if (!std::isfinite(lambda2) || !std::isfinite(phi2)) return storePixel(NAN, NAN, out);
    lambda2 = std::fmod(lambda2, kTwoPi);
    if (lambda2 < 0.0) lambda2 += kTwoPi;
    return MapPixel(phi2, lambda2, width, height, out);
}

bool FootprintPoint(const GeodeticPoint& subPoint, double bearingDeg, int32_t width,
                    int32_t height, PixelPoint& out) {
    return FootprintPoint(FootprintCircleAround(subPoint), bearingDeg, width, height, out);
}

bool SkyChartPixel(const ScreenVector& east, const ScreenVector& north, LookAngles& look,
                   int32_t radius, int32_t centreRow, int32_t snToNs, PixelPoint& out) {
    if (look.elevation < 0.0) look.elevation = 0.0;
    const double r = static_cast<double>(radius);
    const double rho = (look.elevation / kHalfPi - 1.0) * r;  // -R on the horizon, 0 at the zenith
    // Turning by 180 degrees about the centre negates both components.
    const double turn = snToNs == 0 ? -1.0 : 1.0;
    const double s = turn * std::sin(look.azimuth) * rho;
    const double q = turn * std::cos(look.azimuth) * rho;
    return storePixel(std::trunc(s * east.x + q * north.x) + r,
                      std::trunc(s * east.y + q * north.y) + static_cast<double>(centreRow), out);
}

}  // namespace vantrek
