#pragma once

namespace vantrek {

// Mean obliquity of the ecliptic at a Julian date, in radians (Laskar's
// polynomial in units of 10,000 Julian years from J2000).
double MeanObliquity(double jd);

}  // namespace vantrek
