#include "ui/views/sky_view.hpp"

#include <cstdio>

#include "astro/constants.hpp"
#include "ui/views/sky_view_parts.hpp"

#include "../support/orbit_fixtures.hpp"
#include "ui_test_support.hpp"

using namespace vantrek;
using namespace vantrek::testing;

namespace {

const Rect kClient{0, 0, 1280, 800};
constexpr int32_t kD = 722;  // min(1280, 800) - 78

std::unique_ptr<AppState> skyState(int current = kDemoMolniya) { return SampleViewState(ViewMode::Sky, current, kWhen); }

std::size_t stars(const DisplayList& list) { return Find(list, DrawOp::Ellipse, {255, 255, 255}).size(); }

std::map<std::string, double> look(int index, const char* where = "--lat 54.3023 --lon 10.1247 --alt 0.03") {
    return Look("--index " + std::to_string(index) + " " + where + " --time " + kUtc);
}

}  // namespace

TEST(SkyView, ClockBoxClicksCycleStoppedSimulatedRealTimeOncePerClick) {
    auto state = skyState();
    state->clock.mode = ClockMode::RealTime;
    const std::pair<MousePoint, const char*> clicks[] = {
        {{50, 40}, "Pause at"}, {{200, 40}, "Pause at"}, {{99, 49}, "Sym time x     1"}, {{2, 2}, "Local time"}};
    for (const auto& [point, text] : clicks) {
        state->mouse = point;
        EXPECT_NE(TextStarting(Paint(*state), text), nullptr) << text;
    }
    EXPECT_EQ(state->clock.mode, ClockMode::RealTime);
    EXPECT_EQ(state->mouse.x, 1);
}

TEST(SkyView, AClickWithinSixPixelsPicksTheSatelliteAndItIsDrawnAsCurrentAtOnce) {
    auto state = skyState();
    const Rect mark = Bitmaps(Paint(*state), BitmapId::NotSell).at(0)->rect;  // the sun-synchronous set
    const Point p{mark.left + 7, mark.top + 7};
    for (MousePoint miss : {MousePoint{p.x + 7, p.y}, MousePoint{p.x, p.y - 7}}) {
        state->mouse = miss;
        Paint(*state);
        EXPECT_EQ(state->catalog.current, kDemoMolniya);
    }
    state->mouse = {p.x + 6, p.y - 6};
    EXPECT_EQ(Bitmaps(Paint(*state), BitmapId::Sat).at(0)->rect.left, mark.left);
    EXPECT_EQ(state->catalog.current, kDemoSunSync);
    state->settings.showAllPaths = 1;  // both sets that are up drawn as the current one is
    EXPECT_EQ(Bitmaps(Paint(*state), BitmapId::Sat).size(), 2u);
}

TEST(SkyView, MarkAndPanelAgreeWithTheLookCommand) {
    const std::map<std::string, double> seen = look(kDemoSunSync);
    LookAngles angles;
    angles.azimuth = seen.at("azimuth") * kDegree;
    angles.elevation = seen.at("elevation") * kDegree;
    PixelPoint expected;
    ASSERT_TRUE(SkyChartPixel({1, 0}, {0, 1}, angles, kD / 2, kD / 2, 0, expected));
    auto state = skyState(kDemoMolniya);
    const Rect mark = Bitmaps(Paint(*state), BitmapId::NotSell).at(0)->rect;
    EXPECT_NEAR(mark.left + 7, expected.x, 1);
    EXPECT_NEAR(mark.top + 7, expected.y + 52, 1);

    state = skyState(kDemoSunSync);
    const DisplayList list = Paint(*state);
    const DrawCommand* line = TextStarting(list, "Azm. ");
    ASSERT_NE(line, nullptr);
    double az = 0, el = 0, range = 0;
    ASSERT_EQ(std::sscanf(line->text.c_str(), "Azm. %lf° Elv. %lf° Range %lfkm", &az, &el, &range), 3);
    EXPECT_NEAR(az, seen.at("azimuth"), 0.0006);
    EXPECT_NEAR(el, seen.at("elevation"), 0.0006);
    EXPECT_NEAR(range, seen.at("range"), 0.0001);
    ASSERT_EQ(seen.at("eclipsed"), 1.0);  // a depth instead of a magnitude
    char depth[32];
    std::snprintf(depth, sizeof depth, "Depth %3.2f%%", seen.at("depth") * 100.0);
    EXPECT_NE(TextStarting(list, depth), nullptr) << depth;
    EXPECT_EQ(TextStarting(list, "DEMO SUN-SYNCHRONOUS")->text, "DEMO SUN-SYNCHRONOUS     nr.90002");
}

// Over 155.3 W on the equator the geostationary set stands near the zenith:
// its bitmap but no tracks, unless it drifts; then it is up for hours, and a
// flare scan along its track ends.
TEST(SkyView, GeostationarySetsGetNoTracksAndAFlareScanOverASetThatNeverSetsEnds) {
    ASSERT_GT(look(kDemoGeo, "--lat 0 --lon -155.3 --alt 0").at("elevation"), 80.0);
    auto state = skyState(kDemoGeo);
    state->observer = {0.0, -155.3 * kDegree, 0.0};
    for (double meanMotion : {0.004375, 0.0044, 0.0047}) {  // rad/min; the last drifts
        state->catalog.entries[kDemoGeo].meanMotion = meanMotion;
        const DisplayList list = Paint(*state);
        EXPECT_EQ(Bitmaps(list, BitmapId::Sat).size(), 1u) << meanMotion;
        const bool tracked = !Find(list, DrawOp::SetPixels, {240, 240, 1}).empty() ||
                             !Find(list, DrawOp::SetPixels, {0, 0, 250}).empty();
        EXPECT_EQ(tracked, meanMotion == 0.0047) << meanMotion;
    }
    EXPECT_EQ(SkyFlareColour(-1.0).g, 140);
    EXPECT_EQ(SkyFlareColour(3.0).g, 1);
    EXPECT_EQ(SkyFlareColour(-5.0).g, 255);
    state->iridiumCatalogue = 1;
    state->settings.flares = 1;
    EXPECT_EQ(TextStarting(Paint(*state), "Irydium flares")->rect.top, 396 + 45);
    DisplayList list;
    SkyFrame frame(*state, list, kClient, SkyChartFor(kClient, state->viewMatrix, 0));
    frame.jd = state->clock.currentDate;
    LookAngles a;
    Vector4 position;
    Point p;
    ASSERT_TRUE(SatelliteOnChart(*state, frame.chart, kDemoGeo, a, position, p, frame.jd, 0));
    const int steps = ScanFlaresAlongTrack(frame, kDemoGeo);
    EXPECT_GT(steps, 1000);
    EXPECT_LE(steps, 2000);
}

TEST(SkyView, GpsSlotsTicksNumbersAndSignalBars) {
    auto state = skyState();
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& g) {
        g.fixMode = 3;
        g.prn[0] = 5, g.azimuthRad[0] = 2.0, g.elevationRad[0] = 1.0, g.snrDb[0] = 40;  // in use
        g.usedPrn[3] = 5;
        g.azimuthRad[1] = 4.0, g.elevationRad[1] = 0.5;  // empty slot, up: ticks, no number
        g.prn[2] = 12, g.elevationRad[2] = -0.2;          // down: a number on the rim, no ticks
    });
    const DisplayList list = Paint(*state);
    EXPECT_EQ(Find(list, DrawOp::SetPixels, {255, 0, 0}).size(), 1u);
    EXPECT_EQ(Find(list, DrawOp::SetPixels, {100, 250, 160}).size(), 1u);
    std::string numbers;
    for (const DrawCommand* c : TextCommands(list))
        if (c->rect.right - c->rect.left == 30) numbers += c->text + (c->colour.r == 255 ? "u " : "f ");
    EXPECT_EQ(numbers, "5u 12f ");
    const auto bars = Find(list, DrawOp::FillRect, {0, 0, 180});
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0]->rect.bottom - bars[0]->rect.top, 20);  // snr / 2
    EXPECT_NE(TextStarting(list, "In view:0, in use:0 3D mode"), nullptr);
}

TEST(SkyView, StarsToTheLimitNoChartOnASmallAreaAndNoNumbersForASetWithoutAState) {
    auto state = skyState(kSdp4Test);
    DisplayList list = Paint(*state);
    EXPECT_NE(TextStarting(list, "SDP4 TEST"), nullptr);
    EXPECT_EQ(TextStarting(list, "Azm. "), nullptr);
    const std::size_t atFive = stars(list);
    EXPECT_GT(atFive, 300u);
    state->settings.Stars_Mag = 6;  // the faintest stars are exactly 5.0: they appear only above a limit of 5
    EXPECT_GT(stars(Paint(*state)), atFive);
    for (Rect tiny : {Rect{0, 0, 70, 800}, Rect{0, 0, 1280, 77}, Rect{0, 0, -5, -5}}) {
        list = Paint(*state, tiny);
        EXPECT_EQ(stars(list) + Bitmaps(list, BitmapId::NotSell).size(), 0u);
        EXPECT_NE(TextStarting(list, "Moon"), nullptr);
    }
}

// vantrek-cli draw: each view's frame and timed repeats over the sample, and
// with the shipped receiver capture the GPS page and the panel's GPS rows (a
// line of each frame in tests/data/ui/draw_frames.txt).
TEST(DrawCommand, PrintsTheFrameOfEachViewAndTimesRepeats) {
    const std::string sample = kSampleFile + " --lat 54.3023 --lon 10.1247 --alt 0.03 --time " + kUtc + " --index 6";
    const std::string gps = kSampleFile + " --lat 54.3 --lon 10.1 --alt 0.03 --time 2008-09-20T12:00:00 --nmea " +
                            VANTREK_REFERENCE_DATA_DIR + "/nmea/haicom-305N.log";
    std::string out;
    ASSERT_EQ(RunCliRaw("draw sky " + sample, out), 0);
    EXPECT_EQ(out.substr(0, out.find('\n')), "fill\t0,0,1280,800\t50,0,50");  // the background first
    ASSERT_EQ(RunCliRaw("draw sky " + sample + " --repeat 3", out), 0);
    EXPECT_EQ(out.compare(0, 9, "frames 3 "), 0) << out;
    EXPECT_EQ(RunCli("draw sky " + sample + " --width 12x", out), 2);
    std::istringstream rows(readText(std::string(VANTREK_TESTS_DIR) + "/data/ui/draw_frames.txt"));
    for (std::string row; std::getline(rows, row);) {
        if (row.empty() || row[0] == '#') continue;
        const std::string view = row.substr(0, row.find('\t'));
        SCOPED_TRACE(row);
        ASSERT_EQ(RunCli("draw " + view + " " + (view == "gps" || view == "info" ? gps : sample), out), 0) << out;
        EXPECT_NE(out.find(row.substr(view.size() + 1)), std::string::npos);
    }
}
