#include "ui/views/info_panel_state_line.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/propagation.hpp"
#include "ui/text_format.hpp"

namespace vantrek {

namespace {

constexpr double kGeostationaryRevPerDay = 1.0027;
constexpr double kGeostationaryTolerance = 9e-5;  // rev/day

// Below 0.21 rad (about 12 degrees) the Sun leaves the sky dark enough.
constexpr double kDarkSkySunElevation = 0.21;
// Below this height the drag of the atmosphere brings a satellite down.
constexpr double kAtmosphereHeight = 122.0;  // km

}  // namespace

bool IsGeostationary(double meanMotion) {
    const double revPerDay = meanMotion * 1440.0 / kTwoPi;
    return std::fabs(revPerDay - kGeostationaryRevPerDay) < kGeostationaryTolerance;
}

int ChooseStateLine(const StateLineFacts& f) {
    const bool g = f.geostationary;
    const bool up = f.elevation > 0.0;
    int code = kStatePassingInvisible;
    if (g && f.elevation < 0.0) code = kStateGeostationaryInvisible;
    if (!f.passPossible && !g) code = kStateAlwaysUnderHorizon;
    if (f.passPossible && f.elevation < 0.0 && !g) code = kStateBelowHorizon;
    if (f.sunElevation < kDarkSkySunElevation && up && !g && !f.eclipsed) code = kStateMagnitude;
    if (f.eclipsed && !g) code = kStateEclipsed;
    if (g && up) code = kStateGeostationaryVisible;
    if (f.height < kAtmosphereHeight) code = kStateEntersAtmosphere;
    if (f.height <= 0.0) code = kStateReachedGround;
    if (f.iridiumCatalogue && !f.eclipsed && up) code = kStateFlare;
    if (f.comparison) code = kStateComparison;
    return code;
}

std::string StateLineText(int code, const StateLineNumbers& n) {
    std::string text;
    switch (code) {
        case kStatePassingInvisible: return "Sat passing but invisible.";
        case kStateGeostationaryInvisible: return "Sat geostationay invisible.";
        case kStateAlwaysUnderHorizon: return "Satellite always under horizon.";
        case kStateBelowHorizon: return "Passing possible satellite below horizon.";
        case kStateMagnitude:
            if (n.magnitude != kNoMagnitude) {
                formatWide(text, "Mag %2.1f Illum. %3.2f%% Angle %3.2f°", n.magnitude, n.illumination,
                           n.phaseAngle);
            } else {
                formatWide(text, "Mag ? Illum. %3.0f%% Angle %3.0f°", n.illumination, n.phaseAngle);
            }
            return text;
        case kStateEclipsed:
            formatWide(text, "Satellite eclipsed depth %3.0f%%", n.depth * 100.0);
            return text;
        case kStateGeostationaryVisible: return "Sat geostationary visible.";
        case kStateEntersAtmosphere: return "Sat enter atmosphere.";
        case kStateReachedGround: return "Sat reached ground.";
        case kStateFlare: return FlareStateText(n.flareMagnitude, n.flare);
        case kStateComparison: return n.engine == kEngineSgp8 ? "SxP8-SxP4" : "SxP4-SxP8";
        case kStateCannotCompute: return "Satellite cannot be computed.";
        default: return "";
    }
}

}  // namespace vantrek
