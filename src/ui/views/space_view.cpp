#include "ui/views/space_view.hpp"

#include <algorithm>
#include <cmath>

#include "astro/julian_date.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/propagation.hpp"
#include "ui/pixel_line.hpp"
#include "ui/text_format.hpp"
#include "ui/wide_text.hpp"

namespace vantrek {

namespace {

constexpr double kEarthRadiusUnits = 63.78135;  // 6378.135 km in units of 100 km
constexpr double kAxisLength = 210.0;           // units, drawn without zoom
constexpr double kSecondsPerDay = 86400.0;
// A clock step this long or longer gives no acceleration.
constexpr double kLongestAccelerationStep = 0.001;  // days
// Discs larger than this (pixels) that cut the view are drawn as a smaller
// disc with the same edge near the view.
constexpr double kLargestDiscRadius = 100000.0;

constexpr Colour kAxisLabel{200, 130, 0};
constexpr Colour kGridDot{0, 0, 0};
constexpr Colour kGridMarker{255, 0, 0};
constexpr Colour kObserverCentre{250, 0, 0};
constexpr Colour kObserverRim{250, 250, 0};
constexpr Colour kPlanetLabel{220, 140, 0};
constexpr Colour kYellowPixel{255, 255, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kSunPointer{250, 250, 0};
constexpr Colour kObserverPointer{0, 250, 0};
constexpr Colour kNameLine{200, 200, 0};
constexpr Colour kNumberLine{0, 200, 0};
constexpr Colour kAccelerationLine{10, 250, 10};
constexpr Colour kModeLine{200, 200, 200};
constexpr Colour kDateLine{255, 200, 0};

// The pens and brushes of the axes and the globe.
constexpr PenId kAxisPen = PenId::Grey;
constexpr PenId kHighlightedAxisPen = PenId::Orange;  // the z axis
constexpr PenId kEarthPen = PenId::BlueWide;
constexpr BrushId kEarthBrush = BrushId::DeepBlue;

struct PlanetMark {
    const char* label;
    BrushId brush;
    int32_t half;
};

// Mercury .. Pluto.
constexpr PlanetMark kPlanetMarks[8] = {
    {"Mercury", BrushId::Yellow, 3}, {"Venus", BrushId::LightGrey, 4}, {"Mars", BrushId::Orange, 4},
    {"Jupiter", BrushId::Orange, 8}, {"Saturn", BrushId::Yellow, 5},   {"Uranus", BrushId::ClockBlue, 5},
    {"Neptune", BrushId::DeepBlue, 4}, {"Pluto", BrushId::Red, 3},
};

// A point on the screen, in doubles until it is known to be a pixel.
struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;  // towards the viewer
};

struct SpaceFrame {
    AppState& state;
    DisplayList& list;
    Rect client;
    const SpaceViewSnapshot& snapshot;
    double cx, cy;       // the view's centre
    double zoom;         // Z, pixels per unit
    double earthRadius;  // Re, pixels
};

ScreenPoint project(const SpaceFrame& f, const Vector4& p, double zoom) {
    const double(&m)[4][4] = f.state.viewMatrix.m;
    ScreenPoint s;
    s.x = f.cx + zoom * (m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z);
    s.y = f.cy - zoom * (m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z);
    s.depth = zoom * (m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z);
    return s;
}

ScreenPoint project(const SpaceFrame& f, const Vector4& p) { return project(f, p, f.zoom); }

double fromCentre(const SpaceFrame& f, const ScreenPoint& s) { return std::hypot(s.x - f.cx, s.y - f.cy); }

bool insideDisc(const SpaceFrame& f, const ScreenPoint& s) { return !(fromCentre(f, s) > f.earthRadius); }

// True, and the pixel, when the point lies within `margin` pixels of the
// client area: only such points can show anything, and they fit a pixel.
bool nearView(const SpaceFrame& f, const ScreenPoint& s, double margin, Point& out) {
    if (!(s.x >= f.client.left - margin && s.x < f.client.right + margin && s.y >= f.client.top - margin &&
          s.y < f.client.bottom + margin))
        return false;
    out = {static_cast<int32_t>(std::trunc(s.x)), static_cast<int32_t>(std::trunc(s.y))};
    return true;
}

bool inView(const SpaceFrame& f, const ScreenPoint& s, Point& out) { return nearView(f, s, 0.0, out); }

// A filled circle of radius r pixels. One that covers the whole view is a
// fill of the view and one that misses it is left out; a huge one that cuts
// the view becomes a smaller one with the same edge near the view, so that
// no coordinate passes the pixel range.
void disc(const SpaceFrame& f, double x, double y, double r, Pen pen, Brush brush) {
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r) || !(r > 0.0)) return;
    const Rect& c = f.client;
    const double vx = 0.5 * (c.left + c.right), vy = 0.5 * (c.top + c.bottom);
    const double halfDiagonal = 0.5 * std::hypot(c.right - c.left, c.bottom - c.top);
    const double d = std::hypot(x - vx, y - vy);
    if (d + halfDiagonal <= r) {
        FillRect(f.list, c, brush);
        return;
    }
    if (d - halfDiagonal >= r) return;
    if (r > kLargestDiscRadius) {
        // d > r - halfDiagonal > 0 here: the direction to the view is defined.
        const double ux = (vx - x) / d, uy = (vy - y) / d;
        x += ux * (r - kLargestDiscRadius);
        y += uy * (r - kLargestDiscRadius);
        r = kLargestDiscRadius;
    }
    DrawEllipse(f.list,
                {static_cast<int32_t>(std::floor(x - r)), static_cast<int32_t>(std::floor(y - r)),
                 static_cast<int32_t>(std::ceil(x + r)), static_cast<int32_t>(std::ceil(y + r))},
                pen, brush);
}

void axes(SpaceFrame& f) {
    const Vector4 ends[6] = {{kAxisLength, 0, 0, 0},  {0, -kAxisLength, 0, 0}, {0, 0, kAxisLength, 0},
                             {-kAxisLength, 0, 0, 0}, {0, kAxisLength, 0, 0},  {0, 0, -kAxisLength, 0}};
    const char* labels[3] = {"x", "y", "z"};
    const Point centre{static_cast<int32_t>(f.cx), static_cast<int32_t>(f.cy)};
    for (int i = 0; i < 6; ++i) {
        Point end;
        if (!nearView(f, project(f, ends[i], 1.0), kAxisLength, end)) continue;
        DrawPolyline(f.list, {centre, end}, PenFor(i == 2 ? kHighlightedAxisPen : kAxisPen));
        if (i < 3)
            DrawText(f.list, {end.x + 3, end.y - 7, end.x + 13, end.y + 8}, labels[i], kAxisLabel, FontId::Small,
                     TextSingleLine | TextVCenter);
    }
}

void grid(SpaceFrame& f) {
    GlobePoint turned[kTurnedGlobePoints];
    const int n = turnGlobeGrid(f.state.globeGrid, f.snapshot.julianDate, turned);
    const bool big = f.zoom > 2.0;
    std::vector<Point> dots, markers;
    for (int i = 0; i < n; ++i) {
        const ScreenPoint s = project(f, {turned[i].x, turned[i].y, turned[i].z, 0.0});
        Point p;
        if (!(s.depth > 0.0) || !inView(f, s, p)) continue;
        std::vector<Point>& into = turned[i].marker ? markers : dots;
        into.push_back(p);
        if (big) {
            into.push_back({p.x + 1, p.y});
            into.push_back({p.x, p.y + 1});
            into.push_back({p.x + 1, p.y + 1});
        }
    }
    SetPixels(f.list, std::move(dots), kGridDot);
    SetPixels(f.list, std::move(markers), kGridMarker);
}

void planets(SpaceFrame& f) {
    for (int code = 1; code < kPlanetRowCount; ++code) {
        const ScreenPoint s = project(f, f.snapshot.planets[code]);
        Point p;
        if (!nearView(f, s, 80.0, p)) continue;
        const PlanetMark& mark = kPlanetMarks[code - 1];
        const Brush brush = BrushFor(mark.brush);
        const Pen pen{1, brush.colour};
        DrawEllipse(f.list, {p.x - mark.half, p.y - mark.half, p.x + mark.half, p.y + mark.half}, pen, brush);
        if (code == 5) DrawEllipse(f.list, {p.x - 8, p.y - 3, p.x + 8, p.y + 3}, pen, Brush{brush.colour, true});
        DrawText(f.list, {p.x + 10, p.y + 3, p.x + 70, p.y + 16}, mark.label, kPlanetLabel, FontId::Small,
                 TextSingleLine);
    }
}

void observer(SpaceFrame& f) {
    const ScreenPoint s = project(f, f.snapshot.observer);
    Point p;
    if (!(s.depth > 0.0) || !inView(f, s, p)) return;
    std::vector<Point> rim;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) rim.push_back({p.x + dx, p.y + dy});
    SetPixels(f.list, std::move(rim), kObserverRim);
    SetPixel(f.list, p, kObserverCentre);
}

// The Sun or the Moon: a disc outside the Earth's disc, the bitmap in front of
// it, and a yellow pixel where neither shows the point.
void body(SpaceFrame& f, const Vector4& position, double sizeUnits, BitmapId bitmap, Brush brush, bool isSun) {
    const ScreenPoint s = project(f, position);
    const bool discShown = isSun || f.zoom > 0.001;
    if (!insideDisc(f, s)) {
        if (discShown) {
            const Pen pen{1, brush.colour};
            disc(f, s.x, s.y, s.depth * 0.01 + sizeUnits * f.zoom, pen, brush);
        }
    } else if (s.depth > 0.0) {
        Point p;
        if (nearView(f, s, 16.0, p)) CopyBitmap(f.list, bitmap, {p.x - 15, p.y - 15}, {0, 0}, 31, 31);
    }
    Point p;
    if ((isSun || !discShown) && inView(f, s, p)) SetPixel(f.list, p, kYellowPixel);
}

// A 30-pixel pointer from the satellite towards a point, shortened as the
// direction leans towards or away from the viewer.
void pointer(SpaceFrame& f, const ScreenPoint& from, Point fromPixel, const Vector4& to, Colour colour) {
    const ScreenPoint t = project(f, to);
    const double dx = t.x - from.x, dy = t.y - from.y, dz = t.depth - from.depth;
    const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(distance > 0.0) || !std::isfinite(distance)) return;
    const Point end{fromPixel.x + static_cast<int32_t>(std::trunc(30.0 * dx / distance)),
                    fromPixel.y + static_cast<int32_t>(std::trunc(30.0 * dy / distance))};
    PixelLine(f.list, fromPixel, end, colour);
}

void satellites(SpaceFrame& f) {
    const SatelliteCatalog& catalog = f.state.catalog;
    // The snapshot may be older than a file loaded since.
    const int count = std::min(loadedSatelliteCount(catalog), static_cast<int>(f.snapshot.satelliteShown.size()));
    std::vector<Point> white, yellow;
    for (int i = 0; i < count; ++i) {
        if (catalog.selected[i] != 1 || f.snapshot.satelliteShown[i] == 0) continue;
        const ScreenPoint s = project(f, f.snapshot.satellites[i]);
        Point p;
        if (!nearView(f, s, 8.0, p)) continue;
        const bool front = s.depth > 0.0;
        if (!insideDisc(f, s) && s.depth < 0.0) {
            white.push_back(p);
            white.push_back({p.x + 1, p.y});
            white.push_back({p.x, p.y + 1});
            yellow.push_back({p.x + 1, p.y + 1});
            continue;
        }
        if (!front) continue;
        CopyBitmap(f.list, BitmapId::NotSell, {p.x - 7, p.y - 7}, {0, 0}, 15, 15);
        if (i != catalog.current) continue;
        CopyBitmap(f.list, BitmapId::Sat, {p.x - 7, p.y - 7}, {0, 0}, 15, 15);
        pointer(f, s, p, f.snapshot.sun, kSunPointer);
        pointer(f, s, p, f.snapshot.observer, kObserverPointer);
    }
    SetPixels(f.list, std::move(white), kWhite);
    SetPixels(f.list, std::move(yellow), kYellowPixel);
}

// The current satellite's next period, red turning blue; brighter (green
// added) where it is not in front of the Earth's disc.
void currentPath(SpaceFrame& f) {
    PixelStroke stroke;
    const int n = std::min(f.snapshot.currentOrbitCount, kCurrentOrbitPoints);
    for (int k = 0; k < n; ++k) {
        const ScreenPoint s = project(f, f.snapshot.currentOrbit[k]);
        const bool outside = !insideDisc(f, s);
        Point p;
        if ((!outside && !(s.depth > 0.0)) || !inView(f, s, p)) continue;
        const Colour colour{static_cast<uint8_t>(255 - 255 * k / 1000), static_cast<uint8_t>(outside ? 100 : 0),
                            static_cast<uint8_t>(255 * k / 1000)};
        StrokePixel(f.list, stroke, p, colour);
    }
    FlushPixelStroke(f.list, stroke);
}

void planetOrbits(SpaceFrame& f) {
    for (int i = 0; i < kPlanetRowCount; ++i) {
        std::vector<Point> points;
        for (const Vector4& v : f.snapshot.rings[i]) {
            Point p;
            if (inView(f, project(f, v), p)) points.push_back(p);
        }
        SetPixels(f.list, std::move(points),
                  {static_cast<uint8_t>((255 - 30 * i) % 256), static_cast<uint8_t>((30 * i) % 256), 0});
    }
}

void moonPath(SpaceFrame& f) {
    std::vector<Point> points;
    for (const Vector4& v : f.snapshot.moonPath) {
        Point p;
        if (inView(f, project(f, v), p)) points.push_back(p);
    }
    SetPixels(f.list, std::move(points), kWhite);
}

void textLine(SpaceFrame& f, int32_t top, const std::string& text, Colour colour) {
    DrawText(f.list, {5, top, 305, top + 15}, text, colour, FontId::Small, TextSingleLine);
}

// Name, ECI position, speed and acceleration of the current satellite now.
void textBlock(SpaceFrame& f, double jd) {
    AppState& state = f.state;
    SatelliteCatalog& catalog = state.catalog;
    SpaceViewMemory& memory = state.spaceView;
    std::string text;
    if (catalog.current < 0 || catalog.current >= loadedSatelliteCount(catalog)) {
        memory = {};
        return;
    }
    Vector4 velocity, position;
    propagateSatellite(state.model, catalog, jd, catalog.currentSet, catalog.current, velocity, position, 0,
                       state.settings.s4_s8);
    const ElementSet& set = catalog.currentSet;
    formatWide(text, "%snr.%d", toWideText(set.name, sizeof set.name).c_str(), set.catalogNumber);
    textLine(f, 52, text, kNameLine);
    if (propagationFailed(position)) {
        memory = {};  // no numbers from a zero state, and none to compare the next with
        return;
    }
    textLine(f, 92, "Position in ECI", kNumberLine);
    formatWide(text, "x: %7.4fkm", position.x);
    textLine(f, 112, text, kNumberLine);
    formatWide(text, "y: %7.4fkm", position.y);
    textLine(f, 132, text, kNumberLine);
    formatWide(text, "z: %7.4fkm", position.z);
    textLine(f, 152, text, kNumberLine);
    formatWide(text, "r: %6.2f km", position.w);
    textLine(f, 172, text, kNumberLine);
    textLine(f, 192, "Velocity", kNumberLine);
    formatWide(text, "%4.3f km/s", velocity.w);
    textLine(f, 212, text, kNumberLine);

    const double dt = jd - memory.julianDate;
    double acceleration = 0.0;  // m/s/s
    if (memory.julianDate != 0.0 && dt != 0.0 && std::fabs(dt) < kLongestAccelerationStep)
        acceleration = (velocity.w - memory.speed) * 1000.0 / (dt * kSecondsPerDay);
    formatWide(text, "Acceleration %4.4f m/s/s", acceleration);
    textLine(f, 232, text, kAccelerationLine);
    memory.speed = velocity.w;
    memory.julianDate = jd;
}

void clockLine(SpaceFrame& f, double jd) {
    const SimulationClock& clock = f.state.clock;
    std::string text;
    switch (clock.mode) {
        case ClockMode::RealTime: text = " Local time"; break;
        case ClockMode::Stopped: text = "Pause at"; break;
        default: formatWide(text, "Sym time x%6.0f", SimulationStepSeconds(clock)); break;
    }
    DrawText(f.list, {2, 31, 152, 46}, text, kModeLine, FontId::Small, TextSingleLine);
    const CalendarInstant local = CalendarInstantFromJulian(jd + f.state.localTimeOffset);
    formatWide(text, "%2.2d:%2.2d:%2.2d,%2.2d     %2.2d.%2.2d.%4d", local.hour, local.minute, local.second,
               local.hundredths, local.day, local.month, local.year);
    DrawText(f.list, {100, 31, 300, 46}, text, kDateLine, FontId::Small, TextSingleLine | TextCenter);
}

}  // namespace

void drawSpaceView(AppState& state, DisplayList& list, Rect client) {
    FillRect(list, client, BrushFor(BrushId::Black));
    const double zoom = state.viewMatrix.m[3][3];
    SpaceFrame f{state, list, client, *state.spaceSnapshot, 0.5 * (client.right - client.left) + client.left,
                 0.5 * (client.bottom - client.top) + client.top, zoom, kEarthRadiusUnits * zoom};
    f.cx = std::trunc(f.cx);
    f.cy = std::trunc(f.cy);
    axes(f);
    disc(f, f.cx, f.cy, f.earthRadius, PenFor(kEarthPen), BrushFor(kEarthBrush));

    // The bodies come from the snapshot the tick takes; before the first one
    // there is nothing to place.
    const bool taken = f.snapshot.julianDate != 0.0;
    if (taken) {
        grid(f);
        const bool showPlanets = state.settings.Flag_planets != 0 && f.snapshot.planetsShown;
        if (showPlanets) planets(f);
        observer(f);
        body(f, f.snapshot.sun, 50000.0, BitmapId::Sun, BrushFor(BrushId::Yellow), true);
        body(f, f.snapshot.moon, 50.0, BitmapId::Moon, BrushFor(BrushId::LightGrey), false);
        satellites(f);
        currentPath(f);
        if (showPlanets) planetOrbits(f);
        moonPath(f);
    }
    const double jd = state.clock.currentDate;
    textBlock(f, jd);
    clockLine(f, jd);
}

}  // namespace vantrek
