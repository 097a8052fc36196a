#pragma once

#include <cstdint>

#include "astro/geodetic.hpp"
#include "astro/look_angles.hpp"

namespace vantrek {

// A pixel of a view.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// A direction on the screen (the image of a sky direction under the view matrix).
struct ScreenVector {
    double x = 0.0;
    double y = 0.0;
};

// Where a point goes when its coordinates are not finite numbers: far outside
// any view, so that it is never drawn. Finite coordinates are limited to
// +-kPixelLimit so that they always fit the integer fields.
constexpr int32_t kPixelOffscreen = -1000000;
constexpr int32_t kPixelLimit = 1000000;

// acos(a / b) over the half plane selected by the sign of b: 0 when a or b is
// 0, acos(a / b) for b > 0 and acos(a / b) + pi for b < 0.
double ArcCosHalfPlane(double a, double b);

// Equirectangular map pixel (longitude 0 in the middle, north up). The
// longitude is brought into [-pi, pi] and written back. False (and the
// off-screen pixel) when the coordinates are not finite.
bool MapPixel(double latitude, double& longitude, int32_t width, int32_t height, PixelPoint& out);

// Map pixel of the point of a satellite's visibility circle (where it stands
// on the horizon) at a bearing in degrees from its sub-point.
bool FootprintPoint(const GeodeticPoint& subPoint, double bearingDeg, int32_t width,
                    int32_t height, PixelPoint& out);

// What every point of one visibility circle shares, worked out once for the
// 360 (or 720) bearings a view draws around the same sub-point.
struct FootprintCircle {
    double latitude = 0.0;   // rad, of the sub-point
    double longitude = 0.0;  // rad
    double reach = 0.0;      // rad, the circle's angular radius on the globe
    double sinLatitude = 0.0, cosLatitude = 1.0, sinReach = 0.0, cosReach = 1.0;
};
FootprintCircle FootprintCircleAround(const GeodeticPoint& subPoint);
bool FootprintPoint(const FootprintCircle& circle, double bearingDeg, int32_t width, int32_t height,
                    PixelPoint& out);

// Pixel of the polar sky chart: zenith at the centre, horizon on the rim of
// radius `radius`; `east` and `north` come from the sky view's matrix. A
// negative elevation is set to 0 (written back), putting the body on the rim.
// snToNs is the north-south orientation setting: 1 is the chart an observer
// lying on his back sees, north up and east on the left (with the identity
// matrix); 0 is that chart turned by 180 degrees about its centre, north down
// and east on the right. Neither is ever a mirror image of the sky.
bool SkyChartPixel(const ScreenVector& east, const ScreenVector& north, LookAngles& look,
                   int32_t radius, int32_t centreRow, int32_t snToNs, PixelPoint& out);

}  // namespace vantrek
