#include <cmath>
#include <cstdlib>

#include "astro/constants.hpp"
#include "orbit/propagation.hpp"
#include "ui/views/map_view.hpp"

#include "../support/busy_sky.hpp"
#include "ui_test_support.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

constexpr int32_t kW = 1280, kH = 800 - 52;  // the map's size in a 1280 x 800 client area
constexpr Colour kFootprint{0, 250, 0};
constexpr Colour kTrackSunlit{250, 250, 0};
constexpr Colour kTrackShadow{50, 50, 220};
constexpr double kOnePixelDeg = 360.0 / kW;

std::unique_ptr<AppState> sampleState(ViewMode view, int current, double jd = kWhen) {
    auto state = SampleViewState(view, current, jd);
    state->pickLatch = 1;  // no click pending
    takeSpaceViewSnapshot(jd, false, 0, state->catalog, state->observer, state->model, *state->spaceSnapshot);
    return state;
}

// Degrees of longitude and latitude of a map pixel in the window.
double longitudeAt(double x) { return (x - kW / 2.0) * 360.0 / kW; }
double latitudeAt(double y) { return (kH / 2.0 - (y - kMapTop)) * 180.0 / kH; }

}  // namespace

// The Sun stands overhead at its declination on the meridian where it is noon
// (2026: the solstices, 23.44 degrees, the equation of time -1.6 and +1.7
// minutes; the March equinox, -7.5 minutes), and the day map pasted onto the
// work image covers the half of the Earth that has the Sun up. At the equinox
// a terminator for a declination of exactly 0 would paste nothing: it is drawn
// as for 0.02 rad.
TEST(MapView, SubSolarPointAtDeclinationAndNoonDaylightOnTheSunlitHalf) {
    const struct {
        double jd, declinationDeg, longitudeDeg;
    } cases[] = {{JulianDateFromCalendar(2026, 6, 21, 8, 24, 0, 0), 23.44, (12.0 - 8.4 + 1.6 / 60) * 15},
                 {JulianDateFromCalendar(2026, 12, 21, 20, 50, 0, 0), -23.44, (12.0 - 20.0 - 50.0 / 60 - 1.7 / 60) * 15},
                 {JulianDateFromCalendar(2026, 3, 20, 14, 46, 0, 0), 0.0, (12.0 - 14.7667 + 7.5 / 60) * 15}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.declinationDeg);
        auto state = sampleState(ViewMode::Map, kDemoStation, k.jd);
        const DisplayList list = Paint(*state);
        const Rect sunMark = Bitmaps(list, BitmapId::Sun).at(0)->rect;
        EXPECT_NEAR(latitudeAt(sunMark.top + 15), k.declinationDeg, 0.3 + kOnePixelDeg);
        EXPECT_NEAR(longitudeAt(sunMark.left + 15), k.longitudeDeg, 0.5 + kOnePixelDeg);

        std::vector<char> day(kWorkImageWidth * kWorkImageHeight, 0);
        for (const DrawCommand* c : Bitmaps(list, BitmapId::Day, Surface::WorkImage))
            for (int y = std::max(0, c->rect.top); y < std::min(kWorkImageHeight, c->rect.bottom); ++y)
                for (int x = std::max(0, c->rect.left); x < std::min(kWorkImageWidth, c->rect.right); ++x)
                    day[y * kWorkImageWidth + x] = 1;
        GeodeticPoint sub;
        Vector4 sun;
        Point p;
        sunSubPoint(sub, sun, p, k.jd, kWorkImageWidth, kWorkImageHeight);
        if (std::fabs(sub.latitude) < 0.02) sub.latitude = sub.latitude < 0.0 ? -0.02 : 0.02;
        int wrong = 0;
        for (int y = 0; y < kWorkImageHeight; ++y)
            for (int x = 0; x < kWorkImageWidth - 2; ++x) {  // the day map is 898 wide
                const double lat = (kWorkImageHeight / 2.0 - y - 0.5) * kPi / kWorkImageHeight;
                const double lon = (x + 0.5 - kWorkImageWidth / 2.0) * kTwoPi / kWorkImageWidth;
                const double up = std::sin(lat) * std::sin(sub.latitude) +
                                  std::cos(lat) * std::cos(sub.latitude) * std::cos(lon - sub.longitude);
                wrong += (up > 0.0) != (day[y * kWorkImageWidth + x] != 0);
            }
        EXPECT_LT(wrong, kWorkImageWidth * kWorkImageHeight / 100);
    }
}

// A click within seven pixels of a marker picks its satellite.
TEST(MapView, MarkersSitAtTheSubSatellitePointsTheLookCommandGivesAndAClickPicksOne) {
    auto state = sampleState(ViewMode::Map, kDemoStation);
    const DisplayList list = Paint(*state);
    const std::vector<const DrawCommand*> marks = Bitmaps(list, BitmapId::NotSell);
    ASSERT_EQ(marks.size(), 7u);  // eight sets, one of which cannot be propagated
    for (int index : {kDemoStation, 4, kDemoMolniya, kDemoGeo}) {
        SCOPED_TRACE(index);
        auto facts = Look("--index " + std::to_string(index) + " --lat 54.3 --lon 10.1 --alt 0 --time " + kUtc);
        const Rect mark = marks[index < kSdp4Test ? index : index - 1]->rect;
        EXPECT_NEAR(longitudeAt(mark.left + 7), facts["longitude"], kOnePixelDeg);
        EXPECT_NEAR(latitudeAt(mark.top + 7), facts["latitude"], kOnePixelDeg);
    }

    const Rect mark = marks.at(kDemoGeo - 1)->rect;
    const Point centre{mark.left + 7, mark.top + 7};
    state->pickLatch = 0;
    for (MousePoint miss : {MousePoint{centre.x + 7, centre.y}, MousePoint{centre.x, centre.y - 7}}) {
        state->mouse = miss;
        Paint(*state);
        EXPECT_EQ(state->catalog.current, kDemoStation);
    }
    state->mouse = {centre.x - 6, centre.y + 6};
    const DisplayList after = Paint(*state);
    EXPECT_EQ(state->catalog.current, kDemoGeo);
    EXPECT_EQ(Bitmaps(after, BitmapId::Sat).back()->rect.left, mark.left);  // drawn as current at once
}

// A geostationary set gets no track, and its footprint (81.3 degrees wide
// over 155.3 W) reaches 123.4 E across the date line and 74 W, with nothing
// drawn between. Two Molniya periods of 718 minutes last one sidereal day:
// that track ends where it began.
TEST(MapView, GeostationaryHasNoTrackALongPeriodHasTwoAndNothingCrossesTheMap) {
    DisplayList list = Paint(*sampleState(ViewMode::Map, kDemoGeo));
    EXPECT_EQ(TextCommands(list).size(), 1u);
    EXPECT_TRUE(Pixels(list, kTrackSunlit).empty() && Pixels(list, kTrackShadow).empty());
    const std::vector<Point> circle = Pixels(list, kFootprint);
    ASSERT_GT(circle.size(), 500u);
    for (const Point& p : circle) EXPECT_FALSE(longitudeAt(p.x) > -72.0 && longitudeAt(p.x) < 121.0) << p.x;

    list = Paint(*sampleState(ViewMode::Map, kDemoMolniya));
    const DrawCommand* last = nullptr;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && (c.colour == kTrackSunlit || c.colour == kTrackShadow)) last = &c;
    ASSERT_NE(last, nullptr);
    const Rect mark = Bitmaps(list, BitmapId::Sat).at(0)->rect;
    EXPECT_NEAR(last->points.back().x, mark.left + 7, 25);
    EXPECT_NEAR(last->points.back().y, mark.top + 7, 25);
}

// Tracks kept from frame to frame while the clock runs (ten ticks of six
// seconds: most tracks gain and lose points; both engines) draw exactly the
// pixels of tracks worked out afresh.
TEST(MapView, KeptTracksDrawThePixelsOfFreshOnes) {
    for (int32_t engine : {0, kEngineSgp8}) {
        SCOPED_TRACE(engine);
        auto running = BusySkyState(), afresh = BusySkyState();
        for (AppState* state : {running.get(), afresh.get()}) {
            state->viewMode = ViewMode::Map;
            state->settings.s4_s8 = engine;
        }
        running->clock.mode = ClockMode::RealTime;
        double now = running->clock.currentDate;
        DisplayList kept;
        for (int tick = 0; tick < 10; ++tick) {
            now += 6.0 / 86400.0;
            AdvanceClock(running->clock, now);
            kept = Paint(*running);
        }
        afresh->clock = running->clock;
        const DisplayList fresh = Paint(*afresh);
        ASSERT_EQ(kept.commands.size(), fresh.commands.size());
        std::size_t pixels = 0;
        for (std::size_t c = 0; c < fresh.commands.size(); ++c) {
            ASSERT_EQ(kept.commands[c].op, fresh.commands[c].op) << c;
            ASSERT_TRUE(kept.commands[c].colour == fresh.commands[c].colour) << c;
            const std::vector<Point>&a = kept.commands[c].points, &b = fresh.commands[c].points;
            ASSERT_EQ(a.size(), b.size()) << c;
            for (std::size_t k = 0; k < a.size(); ++k) ASSERT_TRUE(a[k].x == b[k].x && a[k].y == b[k].y) << c << " " << k;
            pixels += b.size();
        }
        EXPECT_GT(pixels, 100000u);  // every track drawn
    }
}

// Seen along the z axis, as after loading a file: screen x is inertial x and
// up is inertial y; what lies behind the Earth's disc is hidden, and what is
// behind the Earth but beside its disc is a white dot.
TEST(SpaceView, TheIdentityViewAfterLoadingHidesWhatIsBehindTheEarth) {
    auto loaded = sampleState(ViewMode::Space, kDemoStation);
    AppState& state = *loaded;
    SpaceViewSnapshot& snapshot = *state.spaceSnapshot;
    snapshot.julianDate = kWhen;
    snapshot.satelliteShown.resize(8);
    snapshot.satellites.resize(8);
    for (int i = 0; i < 8; ++i) state.catalog.selected[i] = snapshot.satelliteShown[i] = i < 3;
    snapshot.satellites[0] = {0.0, 0.0, -100.0, 100.0};   // right behind the centre
    snapshot.satellites[1] = {100.0, 0.0, -10.0, 100.5};  // behind, beside the disc
    snapshot.satellites[2] = {0.0, 100.0, 10.0, 100.5};   // in front, above the disc
    const DisplayList list = Paint(state);
    std::vector<const DrawCommand*> marks = Bitmaps(list, BitmapId::NotSell);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0]->rect.left + 7, 640);
    EXPECT_EQ(marks[0]->rect.top + 7, 400 - 100);
    int dots = 0;  // the upper and the left pixels white, the lower right yellow
    for (const DrawCommand* c : Find(list, DrawOp::SetPixels, {255, 255, 255}))
        dots += c->points.size() == 3 && c->points[0].x == 640 + 100 && c->points[0].y == 400;
    EXPECT_EQ(dots, 1);
}

// Gravity's pull along the path: dv/dt = -mu (r . v) / (r^3 v), for the
// Molniya orbit half-way down from apogee.
TEST(SpaceView, AccelerationAgreesWithGravityAndIsZeroAfterAJump) {
    auto state = sampleState(ViewMode::Space, kDemoMolniya);
    EXPECT_NE(TextStarting(Paint(*state), "Acceleration 0.0000 m/s/s"), nullptr);  // the first paint
    ElementSet working;
    Vector4 v, r;
    const double later = kWhen + 0.5 / 86400.0;
    propagateSatellite(state->model, state->catalog, later, working, kDemoMolniya, v, r, 0, 0);
    const double mu = 398600.8;  // km^3/s^2
    const double expected = -mu * (r.x * v.x + r.y * v.y + r.z * v.z) / (r.w * r.w * r.w * v.w) * 1000.0;
    ASSERT_GT(std::fabs(expected), 0.05);
    state->clock.currentDate = later;
    const DisplayList list = Paint(*state);
    ASSERT_NE(TextStarting(list, "Acceleration "), nullptr);
    EXPECT_NEAR(std::atof(TextStarting(list, "Acceleration ")->text.c_str() + 13), expected, 0.01 * std::fabs(expected));
    state->clock.currentDate = later + 0.001;  // 86.4 s later
    EXPECT_NE(TextStarting(Paint(*state), "Acceleration 0.0000 m/s/s"), nullptr);

    state->catalog.current = kSdp4Test;  // no finite state: the name and no numbers
    const DisplayList failed = Paint(*state);
    EXPECT_NE(TextStarting(failed, "SDP4 TEST"), nullptr);
    EXPECT_EQ(TextStarting(failed, "Position in ECI"), nullptr);
}

// The dotted ring's point at longitude 0 on the equator is where an observer
// on the equator at Greenwich stands.
TEST(SpaceView, TheGlobeTurnsWithTheEarthAndDiscsStayWithinThePixelRange) {
    auto state = sampleState(ViewMode::Space, kDemoMolniya);
    GlobePoint turned[kTurnedGlobePoints];
    ASSERT_EQ(turnGlobeGrid(state->globeGrid, kWhen, turned), kTurnedGlobePoints);
    Observer greenwich;
    greenwich.latitude = greenwich.longitude = greenwich.height = 0.0;
    Vector4 site, siteVelocity;
    ObserverEci(kWhen, greenwich, site, siteVelocity);
    const GlobePoint& equator = turned[2 * kGlobeRingPoints];
    EXPECT_TRUE(equator.marker);
    EXPECT_NEAR(equator.x, site.x / 100.0, 0.05);
    EXPECT_NEAR(equator.y, site.y / 100.0, 0.05);


    // At the largest zoom the Earth fills the view and nothing is handed on
    // beyond the pixel range; far out the Sun is a small disc.
    state->settings.Flag_planets = 1;
    takeSpaceViewSnapshot(kWhen, true, 0, state->catalog, state->observer, state->model, *state->spaceSnapshot);
    const Vector4& sun = state->spaceSnapshot->sun;  // units; seen along z
    for (double zoom : {10000.0, 1.0, 1e-4}) {
        SCOPED_TRACE(zoom);
        state->viewMatrix.m[3][3] = zoom;
        bool earthFill = false;
        int sunDiscs = 0;
        for (const DrawCommand& c : Paint(*state).commands) {
            for (int32_t v : {c.rect.left, c.rect.top, c.rect.right, c.rect.bottom}) EXPECT_LE(std::abs(v), 200000);
            for (const Point& p : c.points) EXPECT_LE(std::abs(p.x) + std::abs(p.y), 4000);
            earthFill |= c.op == DrawOp::FillRect && c.brush.colour == Colour{0, 0, 180};
            if (c.op == DrawOp::Ellipse && std::abs((c.rect.left + c.rect.right) / 2 - (640 + zoom * sun.x)) < 2 &&
                std::abs((c.rect.top + c.rect.bottom) / 2 - (400 - zoom * sun.y)) < 2) {
                ++sunDiscs;
                EXPECT_NEAR(c.rect.right - c.rect.left, 10, 4);  // 50000 x Z and depth / 100 each side
            }
        }
        EXPECT_EQ(earthFill, zoom == 10000.0);
        EXPECT_EQ(sunDiscs, zoom == 1e-4 ? 1 : 0);
    }
}

