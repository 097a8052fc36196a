#include "ui/views/sky_view.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "astro/moon.hpp"
#include "astro/planets.hpp"
#include "astro/sun.hpp"
#include "orbit/propagation.hpp"
#include "ui/pixel_line.hpp"
#include "ui/views/sky_view_parts.hpp"

namespace vantrek {

namespace {

// Above this the sky is day blue; at or below 0 it is night black; between,
// in twilight, the chart has no disc at all.
constexpr double kDaySunElevation = 0.06;  // rad
// The Sun below the horizon is drawn on the rim, just above it.
constexpr double kSunOnRimElevation = 0.01;  // rad

constexpr Colour kSunDot{255, 255, 0};
constexpr Colour kPlanetLabel{220, 140, 0};
constexpr Colour kRing{150, 100, 255};
constexpr Colour kNorthLine{250, 30, 35};
constexpr Colour kDirectionLine{160, 160, 255};
constexpr Colour kNorthLetter{200, 0, 0};
constexpr Colour kOtherLetter{0, 200, 0};

// The GPS signal map is shown here.
constexpr Point kSignalMapShownAt{800, 300};

struct PlanetMark {
    const char* label;
    BrushId brush;
    int32_t halfWidth, halfHeight;
};

// Bodies 1..8; Saturn's ring comes first, its disc below.
constexpr PlanetMark kPlanetMarks[8] = {
    {"Mercury", BrushId::Yellow, 3, 3},  {"Venus", BrushId::LightGrey, 4, 4},
    {"Mars", BrushId::Orange, 4, 4},     {"Jupiter", BrushId::Orange, 8, 8},
    {"Saturn", BrushId::Yellow, 8, 3},   {"Uranus", BrushId::ClockBlue, 5, 5},
    {"Neptune", BrushId::DeepBlue, 4, 4}, {"Pluto", BrushId::Red, 3, 3},
};
constexpr PlanetMark kSaturnDisc{"Saturn", BrushId::Yellow, 5, 5};

Rect around(Point p, int32_t halfWidth, int32_t halfHeight) {
    return {p.x - halfWidth, p.y - halfHeight, p.x + halfWidth, p.y + halfHeight};
}

// A click in the clock box: real time stops, a stopped clock simulates, a
// simulating one returns to real time. The mouse point moves off the box so
// that one click acts once.
void clockBoxClick(AppState& state) {
    const MousePoint m = state.mouse;
    if (state.viewMode != ViewMode::Sky || m.x < 2 || m.x > 99 || m.y < 2 || m.y > 49) return;
    ClockBoxClicked(state.clock);
    state.mouse = {1, 1};
}

void skyDisc(SkyFrame& f) {
    const double e = f.sunLook.elevation;
    const Rect disc{0, kSkyChartTop, f.chart.size, f.chart.size + kSkyChartTop};
    if (e >= kDaySunElevation) {
        f.pen = PenFor(PenId::DaySky);
        DrawEllipse(f.list, disc, f.pen, BrushFor(BrushId::DaySky));
    } else if (e <= 0.0) {
        f.pen = PenFor(PenId::NightSkyRim);
        DrawEllipse(f.list, disc, f.pen, BrushFor(BrushId::Black));
        f.night = true;
    }
}

void sunMark(SkyFrame& f) {
    LookAngles look = f.sunLook;
    if (look.elevation < 0.0) look.elevation = kSunOnRimElevation;
    Point p;
    if (!ChartPoint(f.chart, look, p)) return;
    if (f.sunLook.elevation > 0.0) CopyBitmap(f.list, BitmapId::Sun, {p.x - 15, p.y - 15}, {0, 0}, 31, 31);
    else PixelSquare(f.list, p, 3, kSunDot);
}

void planetMark(SkyFrame& f, const PlanetMark& mark, Point p) {
    DrawEllipse(f.list, around(p, mark.halfWidth, mark.halfHeight), f.pen, BrushFor(mark.brush));
}

void planets(SkyFrame& f, Vector4& earth) {
    Settings& settings = f.state.settings;
    LookAngles look;
    Point p;
    BodyOnChart(f.chart, f.state.observer, earth, f.jd, kEarth, settings.flag_refraction, look, p);
    for (int16_t body = kMercury; body <= kPluto; ++body) {
        if (!BodyOnChart(f.chart, f.state.observer, earth, f.jd, body, settings.flag_refraction, look, p) ||
            look.elevation <= 0.0)
            continue;
        const PlanetMark& mark = kPlanetMarks[body - 1];
        planetMark(f, mark, p);
        if (body == kSaturn) planetMark(f, kSaturnDisc, p);
        const Rect label = p.x + 70 > 2 * f.chart.radius ? Rect{p.x - 40, p.y + 3, p.x + 20, p.y + 16}
                                                          : Rect{p.x + 10, p.y + 3, p.x + 70, p.y + 16};
        DrawText(f.list, label, mark.label, kPlanetLabel, FontId::Small, TextSingleLine | TextVCenter);
    }
}

// The Moon: the dark disc, then the lit part copied line by line from the
// bright picture, as wide as the phase makes it.
void moon(SkyFrame& f) {
    MoonHorizon horizon;
    MoonEquatorial equatorial;
    MoonPosition(f.jd - kMoonEpochJulianDate, f.state.observer, horizon, equatorial);
    if (!(horizon.elevation > 0.0)) return;
    LookAngles look;
    look.azimuth = horizon.azimuth;
    look.elevation = horizon.elevation;
    Point p;
    if (!ChartPoint(f.chart, look, p)) return;
    CopyBitmap(f.list, BitmapId::MoonDark, {p.x - 15, p.y - 15}, {0, 0}, 31, 31);
    const double k = 1.0 - std::cos(kPi * f.moon.illuminatedFraction);
    if (!std::isfinite(k)) return;
    for (int i = 0; i <= 14; ++i) {
        const double c = std::cos(std::asin(i / 14.0));
        const double a = 14.0 - 14.0 * c;
        const double width = std::trunc(k * 14.0 * c);
        if (!(width >= 1.0)) continue;
        const int32_t w = static_cast<int32_t>(std::min(width, 31.0));
        const int32_t from = static_cast<int32_t>(a) + 1;
        const int32_t to = static_cast<int32_t>(std::trunc(p.x - 14 + a));
        CopyBitmap(f.list, BitmapId::Moon, {to, p.y + i}, {from, 14 + i}, w, 1);
        CopyBitmap(f.list, BitmapId::Moon, {to, p.y - i + 1}, {from, 14 - i}, w, 1);
    }
}

// Rings at elevations 67.5, 45, 22.5 and 0 degrees; never turned with the chart.
void elevationRings(DisplayList& list, Point centre, int32_t radius) {
    std::vector<Point> points;
    points.reserve(4 * 360);
    for (double f : {0.25, 0.5, 0.75, 1.0})
        for (int degree = 0; degree < 360; ++degree) {
            const double a = degree * kDegree;
            points.push_back({centre.x + static_cast<int32_t>(std::trunc(f * radius * std::cos(a))),
                              centre.y + static_cast<int32_t>(std::trunc(f * radius * std::sin(a)))});
        }
    SetPixels(list, std::move(points), kRing);
}

// North in red, then east, south and west, from the zenith to the horizon.
void directionLines(DisplayList& list, const SkyChart& chart, Point centre, int32_t top) {
    const double azimuths[4] = {0.0, 1.570796326794897, 3.1398473243378, 4.710643651132696};
    for (int i = 0; i < 4; ++i) {
        LookAngles look;
        look.azimuth = azimuths[i];
        look.elevation = 0.01;
        Point end;
        SkyChartPixel(chart.east, chart.north, look, chart.radius, chart.radius, chart.snToNs, end);
        end.y += top;
        PixelLine(list, centre, end, i == 0 ? kNorthLine : kDirectionLine);
    }
}

void directionLetters(SkyFrame& f) {
    struct Letter {
        double azimuth;
        const char* text;
        Colour colour;
    };
    const Letter letters[4] = {{0.08, "N", kNorthLetter},
                               {3.221592653589793, "S", kOtherLetter},
                               {1.6507963267948966, "E", kOtherLetter},
                               {4.79238898038469, "W", kOtherLetter}};
    for (const Letter& letter : letters) {
        LookAngles look;
        look.azimuth = letter.azimuth;
        look.elevation = 0.1;
        Point p;
        if (!ChartPoint(f.chart, look, p)) continue;
        DrawText(f.list, {p.x, p.y, p.x + 10, p.y + 10}, letter.text, letter.colour, FontId::Small,
                 TextCenter | TextVCenter | TextSingleLine);
    }
}

void signalMapChart(SkyFrame& f) {
    const SkyChart map = SignalMapChart(f.state);
    const Surface previous = f.list.target;
    f.list.target = Surface::SignalMapSurface;
    const Point centre{map.radius, map.radius};
    elevationRings(f.list, centre, map.radius);
    directionLines(f.list, map, centre, 0);
    f.list.target = previous;
}

// Everything drawn on the chart, steps 9 to 18.
void drawChart(SkyFrame& f) {
    AppState& state = f.state;
    if (f.night) DrawSkyStars(f);
    sunMark(f);

    Vector4 earth;
    LookAngles look;
    Point p;
    if (state.settings.sgp8Comparison &&
        BodyOnChart(f.chart, state.observer, earth, f.jd, kEarth, 1, look, p) && look.elevation > 0.0)
        DrawEllipse(f.list, around(p, 11, 11), f.pen, BrushFor(BrushId::Red));
    if (state.settings.Flag_planets) planets(f, earth);
    moon(f);

    DrawSkySatellites(f);
    if (f.tracking) DrawSkyGpsSatellites(f);

    const int32_t r = f.chart.radius;
    const Point centre{r, r + kSkyChartTop};
    elevationRings(f.list, centre, r);
    directionLines(f.list, f.chart, centre, kSkyChartTop);
    if (state.signalMap) signalMapChart(f);
    directionLetters(f);
}

}  // namespace

void PixelSquare(DisplayList& list, Point centre, int32_t half, Colour colour) {
    std::vector<Point> points;
    for (int32_t dy = -half; dy <= half; ++dy)
        for (int32_t dx = -half; dx <= half; ++dx) points.push_back({centre.x + dx, centre.y + dy});
    SetPixels(list, std::move(points), colour);
}

void DrawSkyView(AppState& state, DisplayList& list, Rect client) {
    SkyFrame f{state, list, client, SkyChartFor(client, state.viewMatrix, state.settings.SNtoNS)};
    f.jd = state.clock.currentDate;
    FillRect(list, client, BrushFor(BrushId::SkyBackground));
    clockBoxClick(state);

    SunPosition(f.jd, f.sun);
    ComputeLookAngles(f.jd, f.sun, Vector4{}, state.observer, f.sunLook, 1, state.settings.flag_refraction);
    if (f.chart.size > 0) skyDisc(f);

    f.gps = SnapshotGpsFix(state.gps);
    f.tracking = state.gps.trackingEnabled;
    SatelliteCatalog& catalog = state.catalog;
    f.magnitude = EstimateMagnitude(state.model, catalog, f.jd, catalog.current, catalog.currentSet,
                                    state.observer, state.settings.s4_s8, f.current);
    f.currentPropagated = !propagationFailed(f.current.position);
    MoonPhase(f.jd, f.moon);

    DrawSkyPanel(f);
    // A view area too small for a chart has none: nothing is drawn on it.
    if (f.chart.size > 0) drawChart(f);
    if (state.signalMap)
        CopySurface(list, Surface::SignalMapSurface, {0, 0, kSignalMapSize, kSignalMapSize},
                    kSignalMapShownAt);
}

}  // namespace vantrek
