// The sky view's clock box and the text panel to the right of the chart.
#include <algorithm>
#include <cmath>

#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/refraction.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/visibility_code.hpp"
#include "ui/text_format.hpp"
#include "ui/views/panel_lines.hpp"
#include "ui/views/sky_view_parts.hpp"
#include "ui/wide_text.hpp"

namespace vantrek {

namespace {

constexpr Rect kClockBox{1, 27, 100, 52};
constexpr Rect kClockText{0, 27, 100, 57};
// The panel is black up to here whatever the window's width.
constexpr int32_t kPanelRight = 1600;
constexpr int32_t kPanelBottom = 900;
// Magnitudes from here on are no estimate.
constexpr double kUnknownMagnitude = 90.0;

constexpr Colour kTime{255, 200, 0};
constexpr Colour kDate{200, 200, 110};
constexpr Colour kName{255, 250, 0};
constexpr Colour kPosition{100, 189, 0};
constexpr Colour kBrightness{50, 250, 80};
constexpr Colour kSun{250, 250, 0};
constexpr Colour kMoon{200, 200, 200};
constexpr Colour kGps{255, 200, 0};
constexpr Colour kFlare{200, 200, 250};

std::string clockText(const SimulationClock& clock) {
    std::string text;
    switch (clock.mode) {
        case ClockMode::RealTime: return "Local time";
        case ClockMode::Stopped: return "Pause at";
        default: formatWide(text, "Sym time x%6.0f", SimulationStepSeconds(clock)); return text;
    }
}

void satelliteLines(SkyFrame& f, PanelLines& lines) {
    std::string text;
    const MagnitudeEstimate& c = f.current;
    const double el = c.look.elevation;
    formatWide(text, "Azm. %3.3f° Elv. %3.3f° Range %6.4fkm", c.look.azimuth / kDegree, el / kDegree,
               c.look.range);
    lines.below(25, kPosition, text);

    LookAngles apparent = c.look;
    if (el > kRefractionFloor) ApplyRefraction(apparent);
    formatWide(text, "Atmospheric refaction %1.2f° aparent elv. %2.4f°",
               (apparent.elevation - el) / kDegree, apparent.elevation / kDegree);
    lines.below(15, kPosition, text);

    GeodeticPoint under;
    GeodeticFromEci(f.jd, c.position, under);
    formatWide(text, "Velocity %3.3fkm/s alttude %5.3fkm", c.velocity.w, under.height);
    lines.below(15, kPosition, text);

    formatWide(text, "Obs-Sat-Sun angle %3.2f°", c.phaseAngle);
    lines.below(30, kBrightness, text);
    if (c.eclipsed) {
        lines.below(15, kBrightness, "Sat eclipsed");
        formatWide(text, "Depth %3.2f%%", c.depth * 100.0);
        lines.below(15, kBrightness, text);
    } else {
        formatWide(text, "Illumination %3.2f%%", c.illumination);
        lines.below(15, kBrightness, text);
        if (f.magnitude >= kUnknownMagnitude) text = "Magnitude not know.";
        else formatWide(text, "Magnitude %2.1f", f.magnitude);
        lines.below(15, kBrightness, text);
    }
}

void gpsLines(SkyFrame& f, PanelLines& lines) {
    lines.below(45, kGps, "GPS");
    const GpsFixData& g = f.gps;
    if (!f.tracking || g.fixMode <= 0) return;
    const char* mode = g.fixMode == 1 ? "?" : g.fixMode == 2 ? "2D mode" : "3D mode";
    std::string text;
    formatWide(text, "In view:%d, in use:%d %s", g.satellitesInView, g.satellitesUsed, mode);
    lines.below(20, kGps, text);
    formatWide(text, "Speed %3.2fkm/h Azymuth %3.1f°", g.speedKmh, g.courseDeg);
    lines.below(15, kGps, text);
    lines.below(15, kGps, "Position");
    formatWide(text, "Lon %3.4f° Lat %3.4f", g.longitudeDeg, g.latitudeDeg);
    lines.below(15, kGps, text);
    formatWide(text, "WSG84-geoid: %3.1fm", g.geoidSeparationM);
    lines.below(15, kGps, text);
    formatWide(text, "HDOP: %2.2f, VDOP: %2.2f PDOP: %2.2f", g.hdop, g.vdop, g.pdop);
    lines.below(15, kGps, text);
    formatWide(text, "GPS(UTC) time %d:%2.2d:%2.2d ", g.utcHour, g.utcMinute, g.utcSecond);
    lines.below(15, kGps, text);
    formatWide(text, "Port read: %d initiated %d", f.state.gps.readCount.load(),
               f.state.gps.openCount.load());
    lines.below(15, kGps, text);
}

void flareLines(SkyFrame& f, PanelLines& lines) {
    lines.below(45, kFlare, "Irydium flares");
    if (!f.currentPropagated) return;
    FlareResult flare;
    const double m = FlareMagnitude(f.sun, f.current.position, f.current.velocity,
                                    f.current.observerPosition, flare);
    std::string text;
    if (m == kNoMagnitude) {
        lines.below(15, kFlare, "Min. flare");
        formatWide(text, "angle %2.3f°", flare.angle / kDegree);
        lines.below(15, kFlare, text);
    } else {
        lines.below(25, kFlare, "Flare");
        formatWide(text, m <= 0.0 ? "%3.1f (%2.3f°)" : "+%3.1f (%2.3f°)", m, flare.angle / kDegree);
        lines.below(15, kFlare, text);
    }
    const char* mirror = IridiumAntennaName(flare.antenna);
    lines.below(15, kFlare, *mirror ? std::string(mirror) : lines.lastText);
}

}  // namespace

void DrawSkyPanel(SkyFrame& f) {
    AppState& state = f.state;
    DisplayList& list = f.list;
    const int32_t d = f.chart.size;
    FillRect(list, kClockBox, BrushFor(BrushId::ClockBlue));

    // Shown in local time, in whole hours from UTC.
    const CalendarInstant local = CalendarInstantFromJulian(f.jd + state.localTimeOffset);

    // At least 1600 x 900, and the whole client area of a bigger window.
    FillRect(list, {d + 10, 0, std::max(kPanelRight, f.client.right), std::max(kPanelBottom, f.client.bottom)},
             BrushFor(BrushId::Black));
    DrawText(list, kClockText, clockText(state.clock), kTime, FontId::Small,
             TextCenter | TextVCenter | TextSingleLine);

    const int32_t right = std::max(kPanelRight, f.client.right);
    std::string text;
    formatWide(text, "%2d:%2.2d:%2.2d,%2.2d", local.hour, local.minute, local.second, local.hundredths);
    PanelLines time{list, d + 20, d + 200};
    time.at(36, kTime, text, FontId::Large);
    formatWide(text, "%2.2d.%2.2d.%4.4d", local.day, local.month, local.year);
    PanelLines date{list, d + 200, right};
    date.at(36, kDate, text, FontId::Large);

    PanelLines lines{list, d + 20, right};
    const ElementSet& set = state.catalog.currentSet;
    formatWide(text, "%s nr.%d", toWideText(set.name, sizeof set.name).c_str(), set.catalogNumber);
    lines.at(71, kName, text);
    // A satellite the model cannot place has no numbers to show; the lines
    // below keep their places.
    if (f.currentPropagated) satelliteLines(f, lines);
    else lines.top += 25 + 15 + 15 + 30 + 15 + 15;

    lines.below(45, kSun, "Sun");
    formatWide(text, "Azy: %3.3f", f.sunLook.azimuth / kDegree);
    lines.below(15, kSun, text);
    formatWide(text, "Ele: %3.3f", f.sunLook.elevation / kDegree);
    lines.below(15, kSun, text);

    lines.below(45, kMoon, "Moon");
    formatWide(text, "Diameter %2.3f°", f.moon.apparentDiameter);
    lines.below(15, kMoon, text);
    formatWide(text, "Phase %3.1f%%", f.moon.illuminatedFraction * 100.0);
    lines.below(15, kMoon, text);
    formatWide(text, "Dist. %7.1fkm", f.moon.distance);
    lines.below(15, kMoon, text);

    gpsLines(f, lines);
    if (state.iridiumCatalogue) flareLines(f, lines);
}

}  // namespace vantrek
