#pragma once

namespace vantrek {

// Greenwich mean sidereal time (IAU 1982) of a Julian date, as an angle in
// radians in [0, 2 pi).
double GreenwichSiderealAngle(double jd);

}  // namespace vantrek
