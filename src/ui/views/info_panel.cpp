#include "ui/views/info_panel.hpp"

#include <chrono>
#include <cmath>
#include <string>

#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/moon.hpp"
#include "data/doppler.hpp"
#include "observe/iridium_flare.hpp"
#include "observe/magnitude_estimate.hpp"
#include "observe/pass_possible.hpp"
#include "observe/satellite_shape.hpp"
#include "observe/visibility_code.hpp"
#include "orbit/propagation.hpp"
#include "ui/main_window_paint.hpp"
#include "ui/text_format.hpp"
#include "ui/views/info_panel_state_line.hpp"
#include "ui/views/view_sun.hpp"

namespace vantrek {

namespace {

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kTimeGrey{200, 200, 200};
constexpr Colour kAlarmRed{250, 0, 0};
constexpr Colour kOldSetRed{255, 0, 0};
constexpr Colour kSatelliteYellow{250, 250, 0};
constexpr Colour kModelGreen{0, 250, 0};
constexpr Colour kRadioBlue{100, 150, 250};
constexpr Colour kMoonGrey{200, 200, 220};
constexpr Colour kSunYellow{250, 250, 0};
constexpr Colour kSunOnWhite{150, 100, 0};
constexpr Colour kGpsGrey{110, 110, 110};
constexpr Colour kGpsTimeRed{200, 100, 100};
constexpr Colour kElementCyan{0, 200, 200};

// An element set older than this is shown in red.
constexpr int kStaleSetDays = 30;

// The eight quantities the "8/4 test" compares between the engines.
struct SatelliteFigures {
    double azimuth = 0.0;    // rad
    double elevation = 0.0;  // rad
    double range = 0.0;      // km
    double rangeRate = 0.0;  // km/s
    double latitude = 0.0;   // rad
    double longitude = 0.0;  // rad east
    double height = 0.0;     // km
    double speed = 0.0;      // km/s
};

// The current satellite at the panel's instant with one engine; false when it
// has no finite state. `milliseconds` is what the estimate (propagation
// included) took, to the microsecond.
bool computeFigures(AppState& state, double jd, int32_t engine, MagnitudeEstimate& estimate,
                    double& magnitude, SatelliteFigures& figures, double& milliseconds) {
    SatelliteCatalog& catalog = state.catalog;
    const auto began = std::chrono::steady_clock::now();
    magnitude = EstimateMagnitude(state.model, catalog, jd, catalog.current, catalog.currentSet,
                                  state.observer, engine, estimate);
    const auto took = std::chrono::steady_clock::now() - began;
    milliseconds = std::chrono::duration_cast<std::chrono::microseconds>(took).count() / 1000.0;
    if (propagationFailed(estimate.position)) return false;
    GeodeticPoint point;
    GeodeticFromEci(jd, estimate.position, point);
    figures = {estimate.look.azimuth, estimate.look.elevation, estimate.look.range, estimate.look.rangeRate,
               point.latitude,        point.longitude,         point.height,        estimate.velocity.w};
    return true;
}

// An angle difference of two nearby directions, into -pi..pi: two engines a
// few metres apart on either side of north differ by a hair, not by a turn.
double angleDifference(double a, double b) {
    double d = std::remainder(a - b, kTwoPi);
    if (!std::isfinite(d)) d = 0.0;
    return d;
}

SatelliteFigures difference(const SatelliteFigures& a, const SatelliteFigures& b) {
    return {angleDifference(a.azimuth, b.azimuth),
            a.elevation - b.elevation,
            a.range - b.range,
            a.rangeRate - b.rangeRate,
            a.latitude - b.latitude,
            angleDifference(a.longitude, b.longitude),
            a.height - b.height,
            a.speed - b.speed};
}

// Whole days, for a count shown with %d; 0 for a span no int can hold.
int wholeDays(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 1e9) return 0;
    return static_cast<int>(days);
}

std::string clockLabel(const SimulationClock& clock) {
    std::string label;
    switch (clock.mode) {
        case ClockMode::RealTime: return "Local time";
        case ClockMode::Stopped: return "Pause at";
        case ClockMode::SimX1: formatWide(label, "Sym time x%6.0f", clock.multiplier); break;
        case ClockMode::SimX10: formatWide(label, "Sym time x%6.0f", clock.multiplier * 10.0); break;
        case ClockMode::SimX100: formatWide(label, "Sym time x%6.0f", clock.multiplier * 100.0); break;
        case ClockMode::SimX1000: formatWide(label, "Sym time x%6.0f", clock.multiplier * 1000.0); break;
    }
    return label;
}

const char* modelLine(const ElementSet& set, int32_t engine) {
    if (set.deepSpace)
        return engine == kEngineSgp8 ? "Deep Space sat SDP8 model" : "Deep Space sat SDP4 model";
    return engine == kEngineSgp8 ? "Close Earth sat SGP8 model" : "Close Earth sat SGP4 model";
}

const char* gpsFixState(int32_t fixMode) {
    switch (fixMode) {
        case 0: return "--";
        case 1: return "pos. not fixed";
        case 2: return "2D mode";
        case 3: return "3D mode";
        default: return "";
    }
}

// The left half's rows: one line each, advancing by the row's own step.
struct PanelRows {
    DisplayList& list;
    int32_t left;
    int32_t right;  // the middle of the client area
    int32_t pitch;  // Q, the line pitch
    int32_t top;
    Pen rulePen;

    void advance(int32_t step) { top += step; }
    void leftText(const std::string& text, Colour colour) {
        DrawText(list, {left, top, right, top + pitch}, text, colour, FontId::Small,
                 TextLeft | TextSingleLine);
    }
    void rightText(const std::string& text, Colour colour) {
        DrawText(list, {left, top, right, top + pitch}, text, colour, FontId::Small,
                 TextRight | TextSingleLine);
    }
    // A rule across the half, between the row just written and the next one
    // `step` lower, clear of the text of both (15-pixel font).
    void ruleThenAdvance(int32_t step) {
        const int32_t y = top + (step + 16) / 2;
        DrawPolyline(list, {{left, y}, {right, y}}, rulePen);
        advance(step);
    }
};

void drawElementSet(DisplayList& list, const ElementSet& set, int32_t left, int32_t right) {
    std::string line;
    int32_t top = 50;
    auto write = [&](const std::string& text) {
        DrawText(list, {left, top, right, top + 20}, text, kElementCyan, FontId::Small,
                 TextLeft | TextWordBreak);
        top += 20;
    };
    write("TLE content");
    const CalendarInstant epoch = CalendarInstantFromJulian(JulianDateFromEpoch(set.epoch));
    formatWide(line, "Epoch: %4d.%2.2d.%2.2d  UTC %2.2d:%2.2d.%2.2d,%2.2d", epoch.year, epoch.month,
               epoch.day, epoch.hour, epoch.minute, epoch.second, epoch.hundredths);
    write(line);
    formatWide(line, "Nr. orbit in epoch %d", set.revolutionNumber);
    write(line);
    formatWide(line, "Inclination %3.4f°", set.inclination / kDegree);
    write(line);
    formatWide(line, "Ra of A. Node %3.4f°", set.raan / kDegree);
    write(line);
    formatWide(line, "Eccentricity %3.7f", set.eccentricity);
    write(line);
    formatWide(line, "Arg. of Peri. %3.4f°", set.argPerigee / kDegree);
    write(line);
    formatWide(line, "Mean anomaly %3.4f°", set.meanAnomaly / kDegree);
    write(line);
    // A set without a finite period (mean motion 0) shows none.
    if (std::isfinite(set.period) && set.period > 0.0) {
        formatWide(line, "Rot. per d. %3.8f Period (%4.4fmin)", 1440.0 / set.period, set.period);
    } else {
        line = "Rot. per d. -- Period (--min)";
    }
    write(line);
    formatWide(line, "bstar %2.9f 1/r", set.bstar);
    write(line);
    formatWide(line, "revnum %i", set.elementNumber);
    write(line);
}

}  // namespace

void PaintInfoPanel(AppState& state, DisplayList& list, Rect client) {
    const Settings& settings = state.settings;
    InfoPanelMemory& memory = state.infoPanel;
    // The black text variant is drawn on white: black on the black page would
    // leave most of it unreadable.
    const bool blackText = settings.Flag_colors != 0;
    auto tinted = [blackText](Colour c) { return blackText ? kBlack : c; };
    const Colour sunColour = blackText ? kSunOnWhite : kSunYellow;

    const int32_t width = client.right - client.left;
    const int32_t areaHeight = client.bottom - client.top - kStatusBarHeight;  // H
    const int32_t pitch = areaHeight / 25;                                     // Q
    const int32_t middle = client.left + width / 2;
    FillRect(list, {client.left, client.top, client.right, client.bottom - kStatusBarHeight},
             BrushFor(blackText ? BrushId::White : BrushId::Black));

    // The numbers, in the order the page needs them.
    const double jd = state.clock.currentDate;
    const int32_t engine = settings.s4_s8 == kEngineSgp8 ? kEngineSgp8 : 0;
    const bool comparison = settings.sgp8Comparison != 0;
    MagnitudeEstimate estimate;
    double magnitude = kNoMagnitude;
    SatelliteFigures figures;
    double calcMilliseconds = 0.0;
    bool computed = computeFigures(state, jd, engine, estimate, magnitude, figures, calcMilliseconds);
    const double height = figures.height;
    const ElementSet shown = state.catalog.currentSet;  // period and model of the engine shown
    if (computed && comparison) {
        MagnitudeEstimate otherEstimate;
        double otherMagnitude = 0.0;
        SatelliteFigures other;
        const int32_t otherEngine = engine == kEngineSgp8 ? 0 : kEngineSgp8;
        // Differences from a zero state would mean nothing.
        double otherMilliseconds = 0.0;
        computed = computeFigures(state, jd, otherEngine, otherEstimate, otherMagnitude, other,
                                  otherMilliseconds);
        if (computed) figures = difference(figures, other);
        state.catalog.currentSet = shown;
    }

    MoonHorizon moon;
    MoonEquatorial moonEquatorial;
    MoonPosition(jd - kMoonEpochJulianDate, state.observer, moon, moonEquatorial);
    Vector4 sun;
    ViewSunPosition(jd, settings.Flag_planets != 0, sun);
    LookAngles sunLook;
    ComputeLookAngles(jd, sun, Vector4{}, state.observer, sunLook, 1, settings.flag_refraction == 1 ? 1 : 0);
    const bool passPossible = PassPossible(shown, state.observer) != 0;

    StateLineNumbers numbers;
    numbers.magnitude = magnitude;
    numbers.illumination = estimate.illumination;
    numbers.phaseAngle = estimate.phaseAngle;
    numbers.depth = estimate.depth;
    numbers.engine = engine;
    if (state.iridiumCatalogue && computed) {
        memory.flareMagnitude = FlareMagnitude(sun, estimate.position, estimate.velocity,
                                               estimate.observerPosition, numbers.flare);
    }
    numbers.flareMagnitude = memory.flareMagnitude;

    int code = kStateCannotCompute;
    if (computed) {
        StateLineFacts facts;
        facts.elevation = estimate.look.elevation;
        facts.sunElevation = sunLook.elevation;
        facts.height = height;
        facts.eclipsed = estimate.eclipsed != 0;
        facts.passPossible = passPossible;
        facts.geostationary = IsGeostationary(shown.meanMotion);
        facts.iridiumCatalogue = state.iridiumCatalogue != 0;
        facts.comparison = comparison;
        code = ChooseStateLine(facts);
    }
    std::string stateLine = StateLineText(code, numbers);
    if (stateLine.empty()) stateLine = memory.stateLine;  // a flare without a known antenna
    memory.stateLine = stateLine;

    const bool tracking = state.gps.trackingEnabled;
    if (shown.catalogNumber != memory.calcTimeCatalogNumber) {
        memory.calcTimeCatalogNumber = shown.catalogNumber;
        memory.calcTimeSumMs = 0.0;
        memory.calcTimeCount = 0;
    }
    if (!tracking) {
        memory.calcTimeSumMs += calcMilliseconds;
        ++memory.calcTimeCount;
    }

    // The left half, top to bottom.
    PanelRows rows{list,
                   client.left,
                   middle,
                   pitch,
                   client.top + 2 * areaHeight / 27,
                   blackText ? Pen{1, kBlack} : PenFor(PenId::Panel)};
    std::string text;
    const SimulationClock& clock = state.clock;
    const CalendarInstant local = CalendarInstantFromJulian(jd + state.localTimeOffset);
    const Colour timeColour = clock.mode == ClockMode::RealTime ? tinted(kTimeGrey) : kAlarmRed;
    formatWide(text, "%s       %d:%2.2d:%2.2d,%2.2d", clockLabel(clock).c_str(), local.hour, local.minute,
               local.second, local.hundredths);
    rows.leftText(text, timeColour);
    formatWide(text, "%d.%2.2d.%2.2d", local.year, local.month, local.day);
    rows.rightText(text, timeColour);

    rows.advance(2 * pitch);
    formatWide(text, "Julian day %f", jd);
    rows.leftText(text, tinted(kTimeGrey));
    const int age = wholeDays(jd - JulianDateFromEpoch(shown.epoch));
    formatWide(text, "TLE data %d days old", age);
    rows.rightText(text, age > kStaleSetDays ? kOldSetRed : tinted(kTimeGrey));

    const Colour satellite = tinted(kSatelliteYellow);
    rows.ruleThenAdvance(pitch + 1);
    rows.leftText(shown.name, satellite);
    formatWide(text, "Catalog nr. %d", shown.catalogNumber);
    rows.rightText(text, satellite);
    rows.advance(pitch + 2);
    rows.leftText(SatelliteShapeText(shown.catalogNumber), satellite);
    rows.advance(pitch + 3);
    if (computed) {
        formatWide(text, "lat(N) %3.4f°", figures.latitude / kDegree);
        rows.leftText(text, satellite);
        formatWide(text, "elv. %3.3f°", figures.elevation / kDegree);
        rows.rightText(text, satellite);
    }
    rows.advance(pitch + 1);
    if (computed) {
        formatWide(text, "lon(E) %3.4f°", figures.longitude / kDegree);
        rows.leftText(text, satellite);
        formatWide(text, "azm. %3.3f°", figures.azimuth / kDegree);
        rows.rightText(text, satellite);
    }
    rows.advance(pitch + 1);
    if (computed) {
        formatWide(text, "alt. %5.3fkm", figures.height);
        rows.leftText(text, satellite);
        formatWide(text, "vel. %3.3fkm/s", figures.speed);
        rows.rightText(text, satellite);
    }

    const Colour model = tinted(kModelGreen);
    rows.advance(pitch + 1);
    rows.leftText(modelLine(shown, engine), model);
    if (std::isfinite(shown.period) && shown.period > 0.0) {
        formatWide(text, "Period %6.4f min", shown.period);
    } else {
        text = "Period -- min";
    }
    rows.rightText(text, model);
    rows.advance(pitch + 1);
    rows.leftText(stateLine, model);

    const Colour radio = tinted(kRadioBlue);
    rows.ruleThenAdvance(pitch + 1);
    const DopplerText doppler =
        DopplerLines(figures.range, figures.rangeRate, settings.downlink, settings.uplink);
    if (computed) rows.leftText(doppler.downlink, radio);
    // The operator's own tuning of the radio, kept through the pass.
    if (settings.Radio_on != 0) {
        formatWide(text, "Radio offset %+lld Hz", static_cast<long long>(state.station.status.offsetHz));
        rows.rightText(text, radio);
    }
    rows.advance(pitch + 1);
    if (computed) rows.leftText(doppler.uplink, radio);
    rows.advance(pitch + 3);
    if (computed) rows.leftText(doppler.range, radio);

    const Colour moonColour = tinted(kMoonGrey);
    rows.ruleThenAdvance(pitch);
    rows.leftText("Moon", moonColour);
    rows.rightText("Sun", sunColour);
    rows.advance(pitch + 1);
    formatWide(text, "Azm. %3.3f°", moon.azimuth / kDegree);
    rows.leftText(text, moonColour);
    formatWide(text, "Azm. %3.3f°", sunLook.azimuth / kDegree);
    rows.rightText(text, sunColour);
    rows.advance(pitch + 1);
    formatWide(text, "Elv.  %3.3f°", moon.elevation / kDegree);
    rows.leftText(text, moonColour);
    formatWide(text, "Elv. %3.3f°", sunLook.elevation / kDegree);
    rows.rightText(text, sunColour);

    rows.advance(pitch + 6);
    if (tracking) {
        const GpsFixData fix = SnapshotGpsFix(state.gps);
        const Colour gps = tinted(kGpsGrey);
        formatWide(text, "GPS  lat %3.5f°  lon %3.5f°  alt %4.2fm", fix.latitudeDeg, fix.longitudeDeg,
                   fix.altitudeM);
        rows.leftText(text, gps);
        rows.advance(pitch + 1);
        formatWide(text, "Init:%d read:%d", static_cast<int>(state.gps.openCount),
                   static_cast<int>(state.gps.readCount));
        rows.leftText(text, gps);
        rows.rightText(gpsFixState(fix.fixMode), gps);
        rows.advance(pitch + 1);
        if (fix.fixMode != 0) {
            formatWide(text, "GPS(UTC) time %d:%2.2d:%2.2d ", fix.utcHour, fix.utcMinute, fix.utcSecond);
        } else {
            text = "Searching GPS";
        }
        rows.leftText(text, tinted(kGpsTimeRed));
    } else {
        formatWide(text, "Aver. calc. time %2.3fms", memory.calcTimeSumMs / memory.calcTimeCount);
        rows.leftText(text, sunColour);
    }

    drawElementSet(list, shown, middle + 50, client.right);
}

}  // namespace vantrek
