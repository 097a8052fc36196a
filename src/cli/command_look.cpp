#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/moon.hpp"
#include "astro/moon_phase.hpp"
#include "astro/observer.hpp"
#include "astro/sun.hpp"
#include "cli/cli_commands.hpp"
#include "cli/cli_support.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/pass_search_options.hpp"
#include "observe/visibility_status.hpp"
#include "orbit/propagation.hpp"

namespace vantrek::cli {

namespace {

const char kLookUsage[] =
    "usage: vantrek-cli look FILE --index N --lat DEG --lon DEG --alt KM "
    "--time YYYY-MM-DDTHH:MM:SS[.fff] [--engine 4|8] [--refraction]\n";

struct LookRequest {
    std::string file;
    SiteArguments site;
    double julianDate = NAN;
    int32_t engine = 0;
    int32_t refraction = 0;
};

bool parseArguments(int argc, char** argv, LookRequest& request) {
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool ok = true;
        if (std::strcmp(arg, "--refraction") == 0) {
            request.refraction = 1;
            continue;
        }
        if (arg[0] != '-' || arg[1] != '-') {
            if (!request.file.empty()) return false;
            request.file = arg;
            continue;
        }
        if (value == nullptr) return false;
        if (const int site = parseSiteOption(arg, value, request.site)) {
            ok = site > 0;
        } else if (std::strcmp(arg, "--time") == 0) {
            ok = parseUtcTime(value, request.julianDate);
        } else if (std::strcmp(arg, "--engine") == 0) {
            ok = std::strcmp(value, "4") == 0 || std::strcmp(value, "8") == 0;
            request.engine = std::strcmp(value, "8") == 0 ? kEngineSgp8 : 0;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "vantrek-cli: bad value for %s: %s\n", arg, value);
            return false;
        }
        ++i;
    }
    return !request.file.empty() && request.site.complete() && std::isfinite(request.julianDate);
}

// Longitude in degrees east, -180..180.
double signedLongitudeDeg(double longitude) {
    double deg = longitude / kDegree;
    if (deg > 180.0) deg -= 360.0;
    return deg;
}

}  // namespace

int runLook(int argc, char** argv) {
    LookRequest request;
    if (!parseArguments(argc, argv, request)) {
        std::fputs(kLookUsage, stderr);
        return 2;
    }
    auto catalog = std::make_unique<SatelliteCatalog>();
    if (!loadElementFileWithSet(request.file, request.site.index, *catalog)) return 2;

    Observer observer = request.site.observer();
    const double jd = request.julianDate;

    auto model = std::make_unique<PropagatorState>();
    ElementSet working;
    Vector4 velocity, position;
    propagateSatellite(*model, *catalog, jd, working, request.site.index, velocity, position, 0, request.engine);
    if (propagationFailed(position)) {
        std::fprintf(stderr, "vantrek-cli: %s cannot be propagated to that time\n", trimmedName(working).c_str());
        return 2;
    }

    LookAngles look;
    ComputeLookAngles(jd, position, velocity, observer, look, 1, request.refraction);
    GeodeticPoint subPoint;
    GeodeticFromEci(jd, position, subPoint);

    Vector4 sun;
    SunPosition(jd, sun);
    LookAngles sunLook;
    ComputeLookAngles(jd, sun, Vector4{}, observer, sunLook, 1, request.refraction);

    MoonHorizon moon;
    MoonEquatorial moonEquatorial;
    MoonPosition(jd - kMoonEpochJulianDate, observer, moon, moonEquatorial);
    MoonPhaseFigures phase;
    MoonPhase(jd, phase);

    std::printf("azimuth=%.6f\n", look.azimuth / kDegree);
    std::printf("elevation=%.6f\n", look.elevation / kDegree);
    std::printf("range=%.6f\n", look.range);
    std::printf("rangeRate=%.6f\n", look.rangeRate);
    std::printf("latitude=%.6f\n", subPoint.latitude / kDegree);
    std::printf("longitude=%.6f\n", signedLongitudeDeg(subPoint.longitude));
    std::printf("height=%.6f\n", subPoint.height);
    std::printf("sunAzimuth=%.6f\n", sunLook.azimuth / kDegree);
    std::printf("sunElevation=%.6f\n", sunLook.elevation / kDegree);
    std::printf("moonAzimuth=%.6f\n", moon.azimuth / kDegree);
    std::printf("moonElevation=%.6f\n", moon.elevation / kDegree);
    std::printf("moonIllumination=%.6f\n", phase.illuminatedFraction);

    // Brightness and visibility as the sky view and the pass search see them.
    MagnitudeEstimate estimate;
    const double magnitude =
        EstimateMagnitude(*model, *catalog, jd, request.site.index, working, observer, request.engine, estimate);
    double searchMagnitude = 0.0;
    FlareResult flare;
    const int16_t visibility = VisibilityStatus(*model, *catalog, jd, working, request.site.index, observer, 0,
                                                VisibilityLimits{}, request.engine, 0, searchMagnitude, flare);
    std::printf("eclipsed=%d\n", estimate.eclipsed);
    std::printf("depth=%.6f\n", estimate.depth);
    std::printf("magnitude=%.6f\n", magnitude);
    std::printf("illumination=%.6f\n", estimate.illumination);
    std::printf("phaseAngle=%.6f\n", estimate.phaseAngle);
    std::printf("visibility=%d\n", visibility);
    return 0;
}

}  // namespace vantrek::cli
