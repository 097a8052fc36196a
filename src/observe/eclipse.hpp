#pragma once

#include <cstdint>

#include "astro/vector4.hpp"

namespace vantrek {

// 1 when the Earth's disc, seen from the satellite, covers the Sun's centre by
// at least the Sun's apparent radius (the satellite is in the full shadow),
// else 0. `satellite` is geocentric with w = its length (km); `sun` is the
// Sun's geocentric position (km). `depth` receives how far inside the shadow
// edge the Sun's disc is (rad, negative when sunlit); it is left unchanged when
// the Sun looks larger than the Earth, which can never eclipse it.
int32_t IsEclipsed(const Vector4& satellite, const Vector4& sun, double& depth);

}  // namespace vantrek
