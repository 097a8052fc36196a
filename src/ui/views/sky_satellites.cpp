// The shown satellites on the sky chart: picking, marks, tracks and flares.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "observe/eclipse.hpp"
#include "observe/visibility_code.hpp"
#include "observe/visibility_status.hpp"
#include "orbit/current_satellite.hpp"
#include "ui/pixel_line.hpp"
#include "ui/views/sky_view_parts.hpp"

namespace vantrek {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr int32_t kCatalogNumberIss = 25544;
// A click this close in x and in y picks a satellite.
constexpr int64_t kPickDistance = 7;  // pixels, exclusive

// One revolution a sidereal day: such a satellite stands still and gets no track.
constexpr double kGeostationaryMeanMotion = 0.004375;  // rad/min
constexpr double kGeostationaryBand = 0.0003;          // rad/min

constexpr int kTrackSteps = 150;  // each way
constexpr Colour kPastEclipsed{0, 0, 150};
constexpr Colour kPastSunlit{100, 100, 80};
constexpr Colour kFutureEclipsed{0, 0, 250};
constexpr Colour kFutureSunlit{240, 240, 1};

// Flares are looked for 500 s either side of now, and on while the satellite
// stays up; a set that never sets is given up after two hours or 2000 steps.
constexpr double kFlareWindow = 500.0 / kSecondsPerDay;
constexpr double kFlareScanLimit = 2.0 * 3600.0 / kSecondsPerDay;
constexpr int kFlareStepLimit = 2000;
constexpr double kHighElevation = 0.872664625997165;  // rad, 50 degrees
constexpr double kWideFlareAngle = 0.5235987755982989;  // rad, 30 degrees
constexpr double kNearFlareAngle = 0.15707963267948968;  // rad, 9 degrees

bool geostationary(const ElementSet& set) {
    return std::fabs(set.meanMotion - kGeostationaryMeanMotion) <= kGeostationaryBand;
}

// The satellite's path 150 steps back and 150 ahead while it stays up, dark
// where the Earth's shadow hides it. A step is 1/800 000 of a period, in days
// (twice that for periods over 500 minutes).
void tracks(SkyFrame& f, int index) {
    AppState& state = f.state;
    const double period = state.catalog.currentSet.period;
    double step = 1.25e-6 * period;
    if (period > 500.0) step *= 2.0;
    for (int direction : {-1, 1}) {
        LookAngles look;
        Vector4 position;
        Point previous;
        if (!SatelliteOnChart(state, f.chart, index, look, position, previous, f.jd, 1)) return;
        if (!(look.elevation > 0.0)) continue;
        for (int k = 0; k < kTrackSteps; ++k) {
            const double t = f.jd + direction * k * step;
            Point p;
            if (!SatelliteOnChart(state, f.chart, index, look, position, p, t, 1)) return;
            if (!(look.elevation > 0.0)) break;
            double depth = 0.0;
            const bool dark = IsEclipsed(position, f.sun, depth) != 0;
            const Colour colour = direction < 0 ? (dark ? kPastEclipsed : kPastSunlit)
                                                : (dark ? kFutureEclipsed : kFutureSunlit);
            PixelLine(f.list, previous, p, colour);
            previous = p;
        }
    }
}

// Seconds to the next flare test: finer where the flare is near and the
// satellite high, where it moves fastest across the sky.
double flareStepSeconds(double elevation, double flareAngle) {
    if (elevation >= kHighElevation) return flareAngle > kWideFlareAngle ? 4.0 : 1.0;
    if (flareAngle > kWideFlareAngle) return 9.0;
    if (flareAngle >= kNearFlareAngle) return 5.0;
    return 2.0;
}

}  // namespace

int ScanFlaresAlongTrack(SkyFrame& f, int index) {
    AppState& state = f.state;
    const Settings& settings = state.settings;
    LookAngles look;
    Vector4 position;
    Point p;
    if (!SatelliteOnChart(state, f.chart, index, look, position, p, f.jd, 1)) return 0;
    VisibilityLimits limits;
    limits.satelliteElevation = settings.Sat_ele;
    limits.sunElevation = settings.Sun_ele;
    FlareResult flare;
    const double start = f.jd - kFlareWindow;
    double t = start;
    int step = 0;
    while (step < kFlareStepLimit && t - start <= kFlareScanLimit) {
        ++step;
        if (!SatelliteOnChart(state, f.chart, index, look, position, p, t, 1)) break;
        double magnitude = kNoMagnitude;
        const int16_t code = VisibilityStatus(state.model, state.catalog, t, state.catalog.currentSet, index,
                                              state.observer, 1, limits, settings.s4_s8, 1, magnitude, flare);
        if (code == kVisibilityFlare && magnitude != kNoMagnitude && std::isfinite(magnitude))
            PixelSquare(f.list, p, 2, SkyFlareColour(magnitude));
        t += flareStepSeconds(look.elevation, flare.angle) / kSecondsPerDay;
        if (!(t < f.jd + kFlareWindow || look.elevation > 0.0)) break;
    }
    return step;
}

Colour SkyFlareColour(double magnitude) {
    const double g = std::clamp(std::trunc(100.0 - 40.0 * magnitude), 1.0, 255.0);
    return {180, static_cast<uint8_t>(g), 0};
}

void DrawSkySatellites(SkyFrame& f) {
    AppState& state = f.state;
    SatelliteCatalog& catalog = state.catalog;
    const int count = loadedSatelliteCount(catalog);
    for (int i = 0; i < count; ++i) {
        if (catalog.selected[i] != 1) continue;
        LookAngles look;
        Vector4 position;
        Point p;
        if (!SatelliteOnChart(state, f.chart, i, look, position, p, f.jd, 0)) continue;

        // Below the horizon the satellite sits on the rim, and a click there picks it too.
        if (state.pickLatch == 0 && std::llabs(int64_t{state.mouse.x} - p.x) < kPickDistance &&
            std::llabs(int64_t{state.mouse.y} - p.y) < kPickDistance) {
            state.pickLatch = 1;
            state.mouse = {0, 0};
            catalog.current = i;
        }

        const bool up = look.elevation > 0.0;
        if (up && (i == catalog.current || state.settings.showAllPaths)) {
            CopyBitmap(f.list, BitmapId::Sat, {p.x - 7, p.y - 7}, {0, 0}, 15, 15);
            if (!geostationary(catalog.currentSet)) {
                tracks(f, i);
                if (state.iridiumCatalogue && state.settings.flares) ScanFlaresAlongTrack(f, i);
            }
        }

        if (!SatelliteOnChart(state, f.chart, i, look, position, p, f.jd, 0)) continue;
        if (look.elevation > 0.0 && i != catalog.current) {
            const BitmapId mark =
                catalog.currentSet.catalogNumber == kCatalogNumberIss ? BitmapId::Iss : BitmapId::NotSell;
            CopyBitmap(f.list, mark, {p.x - 7, p.y - 7}, {0, 0}, 15, 15);
        }
    }
}

}  // namespace vantrek
