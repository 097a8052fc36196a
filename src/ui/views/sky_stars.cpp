// The stars of the night sky with their constellation lines.
#include <cmath>

#include "astro/sidereal_time.hpp"
#include "astro/star_catalog.hpp"
#include "astro/stars.hpp"
#include "ui/pixel_line.hpp"
#include "ui/views/sky_view_parts.hpp"

namespace vantrek {

namespace {

constexpr Colour kConstellationLine{40, 120, 20};

}  // namespace

void DrawSkyStars(SkyFrame& f) {
    AppState& state = f.state;
    Observer& observer = state.observer;
    StoreLatitudeTrig(observer);
    const double theta = GreenwichSiderealAngle(f.jd) + observer.longitude;
    const double sinT = std::sin(theta), cosT = std::cos(theta);
    const int32_t refraction = state.settings.flag_refraction;
    const int16_t limit = state.settings.Stars_Mag;

    const int rows = StarRowsExamined(limit);
    for (int s = 0; s < rows; ++s) {
        const StarRow& star = StarCatalog[s];
        LookAngles look;
        StarHorizon(sinT, cosT, star, observer, refraction, look);
        if (!(look.elevation > 0.0) || !(star.magnitude < limit)) continue;
        Point p;
        if (!ChartPoint(f.chart, look, p)) continue;
        // The far star of a line is drawn to whatever its magnitude.
        const int32_t link = StarLinks[s];
        if (link > 0 && link < kStarCount) {
            LookAngles far;
            StarHorizon(sinT, cosT, StarCatalog[link], observer, refraction, far);
            Point q;
            if (far.elevation > 0.0 && ChartPoint(f.chart, far, q)) PixelLine(f.list, p, q, kConstellationLine);
        }
        const int32_t r = static_cast<int32_t>(5.5 - star.magnitude);  // brighter stars are bigger
        f.pen = PenFor(PenId::StarOutline);
        DrawEllipse(f.list, {p.x - r, p.y - r, p.x + r, p.y + r}, f.pen, BrushFor(BrushId::White));
    }
}

}  // namespace vantrek
