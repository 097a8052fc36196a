#include "ui/views/space_view.hpp"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "astro/julian_date.hpp"
#include "astro/observer.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/propagation.hpp"
#include "ui/main_window_paint.hpp"

#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "main_window_fixture.hpp"

using namespace vantrek;

namespace {

constexpr int kSdp4Test = 2;  // no finite state in 2026
constexpr int kDemoMolniya = 6;
const Rect kClient{0, 0, 1280, 800};
constexpr Point kCentre{640, 400};
const double kWhen = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0);

std::unique_ptr<AppState> spaceState(int current = kDemoMolniya) {
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    const std::string text = vantrek::testing::SampleSets();
    loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
    state->catalog.current = current;
    loadWorkingElementSet(state->catalog, current, state->catalog.currentSet);
    state->clock.mode = ClockMode::Stopped;
    state->clock.currentDate = state->clock.pausedDate = kWhen;
    state->viewMode = ViewMode::Space;
    takeSpaceViewSnapshot(kWhen, false, 0, state->catalog, state->observer, state->model, *state->spaceSnapshot);
    return state;
}

DisplayList paint(AppState& state) {
    DisplayList list;
    PaintView(state, list, kClient);
    return list;
}

std::size_t pixelCount(const DisplayList& list, Colour colour) {
    std::size_t n = 0;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && c.colour == colour) n += c.points.size();
    return n;
}

const DrawCommand* textStarting(const DisplayList& list, const std::string& prefix) {
    for (const DrawCommand* c : TextCommands(list))
        if (c->text.rfind(prefix, 0) == 0) return c;
    return nullptr;
}

}  // namespace

// Seen along the z axis, as after loading a file: screen x is inertial x and
// up is inertial y; what lies behind the Earth's disc is hidden, and what is
// behind the Earth but beside its disc is a white dot.
TEST(SpaceView, TheIdentityViewAfterLoadingHidesWhatIsBehindTheEarth) {
    MainWindowWorld world;
    AppState& state = *world.state;
    MousePoint reference{0, 0};
    DragRotate(state.viewMatrix, reference, {40, 40});
    const std::string path = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";
    OpenChosenElementFile(state, world.services, path);
    state.viewMode = ViewMode::Space;
    state.catalog.current = 0;
    SpaceViewSnapshot& snapshot = *state.spaceSnapshot;
    snapshot.julianDate = kWhen;
    for (int i = 0; i < 8; ++i) state.catalog.selected[i] = i < 3;
    snapshot.satelliteShown[0] = snapshot.satelliteShown[1] = snapshot.satelliteShown[2] = 1;
    snapshot.satellites[0] = {0.0, 0.0, -100.0, 100.0};   // right behind the centre
    snapshot.satellites[1] = {100.0, 0.0, -10.0, 100.5};  // behind, beside the disc
    snapshot.satellites[2] = {0.0, 100.0, 10.0, 100.5};   // in front, above the disc
    const DisplayList list = paint(state);

    int marks = 0;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && (c.bitmap == BitmapId::NotSell || c.bitmap == BitmapId::Sat)) {
            ++marks;
            EXPECT_EQ(c.rect.left + 7, kCentre.x);
            EXPECT_EQ(c.rect.top + 7, kCentre.y - 100);
        }
    EXPECT_EQ(marks, 1);
    int dots = 0;  // the upper and the left pixels white, the lower right yellow
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && c.colour == Colour{255, 255, 255} && c.points.size() == 3) {
            ++dots;
            EXPECT_EQ(c.points[0].x, kCentre.x + 100);
            EXPECT_EQ(c.points[0].y, kCentre.y);
        }
    EXPECT_EQ(dots, 1);
}

// Gravity's pull along the path: dv/dt = -mu (r . v) / (r^3 v), for the
// Molniya orbit half-way down from apogee.
TEST(SpaceView, AccelerationAgreesWithGravityAndIsZeroAfterAJump) {
    auto state = spaceState();
    EXPECT_NE(textStarting(paint(*state), "Acceleration 0.0000 m/s/s"), nullptr);  // the first paint

    ElementSet working;
    Vector4 v, r;
    const double later = kWhen + 0.5 / 86400.0;
    propagateSatellite(state->model, state->catalog, later, working, kDemoMolniya, v, r, 0, 0);
    const double mu = 398600.8;  // km^3/s^2
    const double expected = -mu * (r.x * v.x + r.y * v.y + r.z * v.z) / (r.w * r.w * r.w * v.w) * 1000.0;
    ASSERT_GT(std::fabs(expected), 0.05);
    state->clock.currentDate = later;
    const DisplayList list = paint(*state);
    const DrawCommand* line = textStarting(list, "Acceleration ");
    ASSERT_NE(line, nullptr);
    EXPECT_NEAR(std::atof(line->text.c_str() + 13), expected, 0.01 * std::fabs(expected));

    state->clock.currentDate = later + 0.001;  // 86.4 s later
    EXPECT_NE(textStarting(paint(*state), "Acceleration 0.0000 m/s/s"), nullptr);
}

TEST(SpaceView, ASatelliteThatCannotBePropagatedShowsItsNameButNoNumbers) {
    auto state = spaceState(kSdp4Test);
    const DisplayList list = paint(*state);
    EXPECT_NE(textStarting(list, "SDP4 TEST"), nullptr);
    EXPECT_EQ(textStarting(list, "Position in ECI"), nullptr);
    int marks = 0;
    for (const DrawCommand& c : list.commands) marks += c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell;
    EXPECT_GT(marks, 0);
    EXPECT_EQ(state->spaceSnapshot->satelliteShown[kSdp4Test], 0);
}

// The dotted ring's point at longitude 0 on the equator is where an observer
// on the equator at Greenwich stands.
TEST(SpaceView, TheGlobeTurnsWithTheEarthAndItsDotsDoubleAboveZoomTwo) {
    auto state = spaceState();
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

    state->viewMatrix.m[3][3] = 2.0;
    const std::size_t single = pixelCount(paint(*state), {0, 0, 0});
    state->viewMatrix.m[3][3] = 2.01;
    EXPECT_GT(single, 200u);
    EXPECT_EQ(pixelCount(paint(*state), {0, 0, 0}), 4 * single);
}

// At the largest zoom the Earth fills the view and nothing is handed on
// beyond the pixel range; far out the Sun is a small disc.
TEST(SpaceView, DiscsAtAnyZoomStayWithinThePixelRange) {
    auto state = spaceState();
    state->settings.Flag_planets = 1;
    takeSpaceViewSnapshot(kWhen, true, 0, state->catalog, state->observer, state->model, *state->spaceSnapshot);
    for (double zoom : {10000.0, 1.0, 1e-4}) {
        state->viewMatrix.m[3][3] = zoom;
        const DisplayList list = paint(*state);
        bool earthFill = false;
        for (const DrawCommand& c : list.commands) {
            for (int32_t v : {c.rect.left, c.rect.top, c.rect.right, c.rect.bottom})
                EXPECT_LE(std::abs(v), 200000) << zoom;
            for (const Point& p : c.points) EXPECT_LE(std::abs(p.x) + std::abs(p.y), 4000) << zoom;
            earthFill |= c.op == DrawOp::FillRect && c.brush.colour == Colour{0, 0, 180};
        }
        EXPECT_EQ(earthFill, zoom == 10000.0);
        if (zoom == 1e-4) {
            int sunDiscs = 0;
            for (const DrawCommand& c : list.commands)
                if (c.op == DrawOp::Ellipse && c.brush.colour == Colour{255, 255, 25}) {
                    ++sunDiscs;
                    EXPECT_NEAR(c.rect.right - c.rect.left, 10, 4);  // 50000 x Z plus depth / 100, each side
                }
            EXPECT_GE(sunDiscs, 1);
        }
    }
}

TEST(SpaceView, TheDrawCommandTakesTheSnapshotFirst) {
    std::string out;
    ASSERT_EQ(vantrek::testing::RunCliRaw("draw space " + std::string(VANTREK_RES_DIR) +
                                              "/TLE/sample.tle --lat 54.3 --lon 10.1 --alt 0 --index 6 "
                                              "--time 2026-12-06T19:00:00",
                                          out),
              0);
    EXPECT_NE(out.find("\tPosition in ECI"), std::string::npos);
    EXPECT_NE(out.find("\tDEMO MOLNIYA"), std::string::npos);
    EXPECT_NE(out.find("bitmap\t"), std::string::npos);
}
