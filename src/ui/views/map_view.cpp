#include "ui/views/map_view.hpp"

#include <cmath>
#include <cstdlib>

#include "astro/moon.hpp"
#include "astro/projections.hpp"
#include "astro/sun.hpp"
#include "observe/eclipse.hpp"
#include "orbit/current_satellite.hpp"
#include "orbit/model_constants.hpp"
#include "orbit/propagation.hpp"
#include "ui/pixel_line.hpp"
#include "ui/views/map_tracks.hpp"
#include "ui/wide_text.hpp"

namespace vantrek {

namespace {

// The night and day maps are this wide; the work image is 900 pixels.
constexpr int32_t kWorldMapWidth = 898;

// A solar declination closer to 0 than this is taken as this, so that the
// terminator is never the straight line of an equinox, where the strips
// below would have no side to fill.
constexpr double kSmallestDeclination = 0.02;  // rad
constexpr int kTerminatorPoints = 720;         // one every half degree of bearing

constexpr Colour kCrossHair{70, 0, 255};
constexpr Colour kFootprint{0, 250, 0};
constexpr Colour kTrackSunlit{250, 250, 0};
constexpr Colour kTrackShadow{50, 50, 220};
constexpr Colour kName{255, 100, 0};

// A click this close to a marker's centre in x and in y picks its satellite.
constexpr int64_t kPickDistance = 7;  // pixels, exclusive
// Footprint and track points further apart than this in x or y lie on both
// sides of the map's edge: they are not joined.
constexpr int32_t kEdgeJump = 150;  // pixels

// One revolution a sidereal day: such a satellite stands still and gets no track.
constexpr double kGeostationaryMeanMotion = 0.004375;  // rad/min
constexpr double kGeostationaryBand = 0.0004;          // rad/min
constexpr int kTrackSteps = 400;
// Periods longer than this get a track of two periods.
constexpr double kLongPeriod = 600.0;  // minutes

struct MapFrame {
    AppState& state;
    DisplayList& list;
    int32_t width;   // W: the map's size in the window
    int32_t height;  // H
    double jd;
    Vector4 sun;     // km
};

// Copies the columns from u to u + width (width < 0: from u + width to u) of
// rows top .. bottom - 1 of the day map onto the work image.
void daylightStrip(DisplayList& list, int32_t u, int32_t width, int32_t top, int32_t bottom) {
    const int32_t left = width < 0 ? u + width : u;
    const int32_t w = std::abs(width);
    if (w == 0 || bottom <= top) return;
    CopyBitmap(list, BitmapId::Day, {left, top}, {left, top}, w, bottom - top);
}

int32_t truncated(double value) { return static_cast<int32_t>(std::trunc(value)); }

// The day and night composite on the work image: night everywhere, then the
// day map pasted in strips above (northern summer) or below (southern) the
// terminator, each strip as wide as the step to the previous terminator point
// and a half more so that no column is missed.
void composeDayAndNight(MapFrame& f) {
    DisplayList& list = f.list;
    const Surface previousTarget = list.target;
    list.target = Surface::WorkImage;
    CopyBitmap(list, BitmapId::Night, {0, 0}, {0, 0}, kWorldMapWidth, kWorkImageHeight);

    GeodeticPoint sub;
    Vector4 sun;
    Point pixel;
    sunSubPoint(sub, sun, pixel, f.jd, kWorkImageWidth, kWorkImageHeight);
    double delta = sub.latitude;
    if (delta >= 0.0 && delta <= kSmallestDeclination) delta = kSmallestDeclination;
    if (delta < 0.0 && delta >= -kSmallestDeclination) delta = -kSmallestDeclination;
    sub.latitude = delta;
    const FootprintCircle circle = FootprintCircleAround(sub);

    Point previous;
    FootprintPoint(circle, 0.0, kWorkImageWidth, kWorkImageHeight, previous);
    int32_t step = delta >= 0.0 ? 1 : -1;
    for (int k = 1; k <= kTerminatorPoints; ++k) {
        Point p;
        if (!FootprintPoint(circle, k * 0.5, kWorkImageWidth, kWorkImageHeight, p)) continue;
        const int32_t v = p.y;
        if (delta >= 0.0) {
            daylightStrip(list, p.x, 2 * step, 0, v);
            if (step > 0) daylightStrip(list, p.x, truncated(-1.5 * step), 0, v);
        } else {
            daylightStrip(list, p.x, truncated(1.5 * step), v, kWorkImageHeight);
            if (step < 0) daylightStrip(list, p.x, truncated(-1.5 * step), v, kWorkImageHeight);
        }
        step = p.x - previous.x;
        previous = p;
    }
    list.target = previousTarget;
}

void crossHair(MapFrame& f) {
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(f.width + f.height));
    for (int32_t y = kMapTop; y < kMapTop + f.height; ++y) points.push_back({f.width / 2, y});
    for (int32_t x = 0; x < f.width; ++x) points.push_back({x, kMapTop + f.height / 2});
    SetPixels(f.list, std::move(points), kCrossHair);
}

void moon(MapFrame& f) {
    MoonHorizon horizon;
    MoonEquatorial equatorial;
    MoonPosition(f.jd - kMoonEpochJulianDate, f.state.observer, horizon, equatorial);
    double longitude = equatorial.rightAscensionMinusGmst;
    Point p;
    if (MapPixel(equatorial.declination, longitude, f.width, f.height, p))
        CopyBitmap(f.list, BitmapId::Moon, {p.x - 15, p.y + kMapTop - 15}, {0, 0}, 31, 31);
}

// Two map points are joined only when both are known and they lie on the same
// side of the map's edge.
bool joinable(Point previous, Point p) {
    return previous.x != 0 && previous.y != 0 && std::abs(p.x - previous.x) < kEdgeJump &&
           std::abs(p.y - previous.y) < kEdgeJump;
}

// The circle of places that see the satellite on their horizon.
void footprint(MapFrame& f, const GeodeticPoint& subPoint) {
    PixelStroke stroke;
    stroke.points.reserve(4 * static_cast<std::size_t>(f.width + f.height));
    const FootprintCircle circle = FootprintCircleAround(subPoint);
    Point previous;
    if (FootprintPoint(circle, 0.0, f.width, f.height, previous)) previous.y += kMapTop;
    for (int k = 1; k <= 359; ++k) {
        Point p;
        if (!FootprintPoint(circle, k, f.width, f.height, p)) {
            previous = {};
            continue;
        }
        p.y += kMapTop;
        if (joinable(previous, p)) StrokePixelLine(f.list, stroke, previous, p, kFootprint);
        previous = p;
    }
    FlushPixelStroke(f.list, stroke);
}

bool geostationary(const ElementSet& set) {
    return std::fabs(set.meanMotion - kGeostationaryMeanMotion) <= kGeostationaryBand;
}

// One period ahead (two for periods over 600 minutes) from two steps after
// now, 398 points on the grid of a 400th of a period (two for the long
// periods), yellow in sunlight and blue in the Earth's shadow. The track ends
// where the model has no finite state. The points are kept between frames.
void groundTrack(MapFrame& f, int index, double period) {
    AppState& state = f.state;
    const double step = period / kTrackSteps / kMinutesPerDay;  // days
    const double spacing = period > kLongPeriod ? 2.0 : 1.0;
    SatelliteTrack fresh;
    std::vector<SatelliteTrack>& kept = state.mapTracks.tracks;
    const int count = loadedSatelliteCount(state.catalog);
    if (count <= kMapTrackCacheSatellites && kept.size() != static_cast<std::size_t>(count))
        kept.resize(static_cast<std::size_t>(count));
    SatelliteTrack& track = count <= kMapTrackCacheSatellites ? kept[static_cast<std::size_t>(index)] : fresh;
    UpdateTrack(track, state.model, state.catalog, state.settings.s4_s8, index, f.jd, 2.0 * step, spacing * step,
                kTrackSteps - 2);
    if (track.points.empty()) return;

    PixelStroke stroke;
    stroke.points.reserve(4 * static_cast<std::size_t>(f.width + f.height));
    Point previous;
    for (std::size_t k = 0; k < track.points.size(); ++k) {
        const TrackPoint& at = track.points[k];
        double longitude = at.longitude;
        Point p;
        if (!MapPixel(at.latitude, longitude, f.width, f.height, p)) break;
        p.y += kMapTop;
        if (k > 0) {
            double depth = 0.0;
            const Colour colour = IsEclipsed(at.position, f.sun, depth) != 0 ? kTrackShadow : kTrackSunlit;
            if (joinable(previous, p)) StrokePixelLine(f.list, stroke, previous, p, colour);
        }
        previous = p;
    }
    FlushPixelStroke(f.list, stroke);
}

void nameLabel(MapFrame& f, const ElementSet& set, Point pixel) {
    int32_t x = pixel.x - 5;
    int32_t y = pixel.y;
    if (pixel.x - 15 < 0) x = pixel.x + 5;
    if (x > 230) x -= 10;
    if (y > 290) y -= 25;
    DrawText(f.list, {x, y, x + 150, y + 13}, toWideText(set.name, sizeof set.name), kName, FontId::Small, TextSingleLine);
}

void satellites(MapFrame& f) {
    AppState& state = f.state;
    SatelliteCatalog& catalog = state.catalog;
    const int count = loadedSatelliteCount(catalog);
    for (int j = 0; j < count; ++j) {
        if (catalog.selected[j] != 1) continue;
        ElementSet working;
        MapSatellite at;
        if (!propagateForDisplay(state.model, catalog, state.settings.s4_s8, working, j, f.jd, 0, f.width, f.height,
                                 at))
            continue;
        const Point p = at.pixel;
        CopyBitmap(f.list, BitmapId::NotSell, {p.x - 7, p.y + 19}, {0, 0}, 15, 15);

        const MousePoint m = state.mouse;
        if (state.pickLatch == 0 && std::llabs(int64_t{m.x} - p.x) < kPickDistance &&
            int64_t{m.y} > int64_t{p.y} + 19 && int64_t{m.y} < int64_t{p.y} + 33) {
            state.pickLatch = 1;
            state.mouse = {0, 0};
            catalog.current = j;
        }

        if (j != catalog.current && state.settings.showAllPaths == 0) continue;
        CopyBitmap(f.list, BitmapId::Sat, {p.x - 7, p.y + 19}, {0, 0}, 15, 15);
        footprint(f, at.subPoint);
        if (!geostationary(working)) groundTrack(f, j, working.period);
        nameLabel(f, working, p);
    }
}

}  // namespace

bool propagateForDisplay(PropagatorState& model, const SatelliteCatalog& catalog, int32_t engine,
                         ElementSet& working, int index, double jd, uint8_t initialised, int32_t width,
                         int32_t height, MapSatellite& out) {
    Vector4 velocity;
    propagateSatellite(model, catalog, jd, working, index, velocity, out.position, initialised, engine);
    if (propagationFailed(out.position)) return false;
    GeodeticFromEci(jd, out.position, out.subPoint);
    double longitude = out.subPoint.longitude;
    return MapPixel(out.subPoint.latitude, longitude, width, height, out.pixel);
}

void sunSubPoint(GeodeticPoint& subPoint, Vector4& sun, Point& pixel, double jd, int32_t width,
                 int32_t height) {
    SunPosition(jd, sun);
    GeodeticFromEci(jd, sun, subPoint);
    double longitude = subPoint.longitude;
    MapPixel(subPoint.latitude, longitude, width, height, pixel);
}

void drawMapView(AppState& state, DisplayList& list, Rect client) {
    FillRect(list, client, BrushFor(BrushId::Black));
    MapFrame f{state, list, client.right, client.bottom - 2 * kMapTop, state.clock.currentDate, {}};
    // A window too small for a map shows none.
    if (f.width <= 0 || f.height <= 0) return;

    composeDayAndNight(f);
    StretchSurface(list, Surface::WorkImage, {0, 0, kWorkImageWidth, kWorkImageHeight},
                   {0, kMapTop, f.width, kMapTop + f.height});

    GeodeticPoint sunUnder;
    Point sunPixel;
    sunSubPoint(sunUnder, f.sun, sunPixel, f.jd, f.width, f.height);
    CopyBitmap(list, BitmapId::Sun, {sunPixel.x - 15, sunPixel.y + kMapTop - 15}, {0, 0}, 31, 31);

    double longitude = state.observer.longitude;
    Point observer;
    if (MapPixel(state.observer.latitude, longitude, f.width, f.height, observer))
        CopyBitmap(list, BitmapId::ObserverMarker, {observer.x - 6, observer.y + kMapTop - 6}, {0, 0}, 13, 13);

    crossHair(f);
    moon(f);
    satellites(f);
}

}  // namespace vantrek
