#include "ui/views/view_sun.hpp"

#include "astro/planets.hpp"
#include "astro/sun.hpp"

namespace vantrek {

void ViewSunPosition(double jd, bool planetsShown, Vector4& out) {
    if (!planetsShown) {
        SunPosition(jd, out);
        return;
    }
    Vector4 earth;
    if (!PlanetHeliocentric(jd, kEarth, earth)) {
        SunPosition(jd, out);
        return;
    }
    out = {-earth.x, -earth.y, -earth.z, earth.w};
}

}  // namespace vantrek
