#include "ui/views/sky_view.hpp"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "astro/look_angles.hpp"
#include "astro/sun.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"
#include "ui/views/sky_view_parts.hpp"

#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;

namespace {

// Sample sets (res/TLE/sample.tle) by index.
constexpr int kSdp4Test = 2;      // has no finite state in 2026
constexpr int kDemoSunSync = 4;   // 44.7 degrees up over Kiel at 19:00
constexpr int kDemoMolniya = 6;   // 79.7 degrees up over Kiel at 19:00
constexpr int kDemoGeo = 7;       // over 155.3 W on the equator

const Rect kClient{0, 0, 1280, 800};
constexpr int32_t kD = 722;       // min(1280, 800) - 78
constexpr int32_t kR = 361;

const Colour kNightBlack{0, 0, 0};
const Colour kDayBlue{0, 0, 100};
const Colour kWhite{255, 255, 255};

// A fresh world: the sample sets all shown, the clock stopped, times in UTC.
std::unique_ptr<AppState> skyState(const char* utc = "2026-12-06T19:00:00", int current = kDemoMolniya) {
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    const std::string text = vantrek::testing::SampleSets();
    loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
    state->catalog.current = current;
    loadWorkingElementSet(state->catalog, current, state->catalog.currentSet);
    int y, mo, d, h, mi, s;
    std::sscanf(utc, "%d-%d-%dT%d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    state->clock.mode = ClockMode::Stopped;
    state->clock.currentDate = state->clock.pausedDate = JulianDateFromCalendar(y, mo, d, h, mi, s, 0);
    state->viewMode = ViewMode::Sky;
    return state;
}

DisplayList paint(AppState& state, Rect client = kClient) {
    DisplayList list;
    PaintView(state, list, client);
    return list;
}

const DrawCommand* textStarting(const DisplayList& list, const std::string& prefix) {
    for (const DrawCommand* c : TextCommands(list))
        if (c->text.compare(0, prefix.size(), prefix) == 0) return c;
    return nullptr;
}

int countBitmaps(const DisplayList& list, BitmapId bitmap) {
    int n = 0;
    for (const DrawCommand& c : list.commands) n += c.op == DrawOp::CopyBitmap && c.bitmap == bitmap;
    return n;
}

bool hasPixelsOf(const DisplayList& list, Colour colour) {
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && c.colour == colour) return true;
    return false;
}

// Star marks: ellipses with the white brush.
int countStars(const DisplayList& list) {
    int n = 0;
    for (const DrawCommand& c : list.commands) n += c.op == DrawOp::Ellipse && c.brush.colour == kWhite;
    return n;
}

const DrawCommand* skyDisc(const DisplayList& list) {
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::Ellipse && c.rect.left == 0 && c.rect.top == 52 && c.rect.right == kD) return &c;
    return nullptr;
}

// vantrek-cli look, key=value lines.
std::map<std::string, double> look(int index, const char* utc, const char* where = "--lat 54.3023 --lon 10.1247 --alt 0.03") {
    std::string out;
    const std::string args = "look " + std::string(VANTREK_RES_DIR) + "/TLE/sample.tle --index " +
                             std::to_string(index) + " " + where + " --time " + utc;
    EXPECT_EQ(vantrek::testing::RunCliRaw(args, out), 0);
    std::map<std::string, double> values;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) values[line.substr(0, eq)] = std::stod(line.substr(eq + 1));
    }
    return values;
}

// The instant of the afternoon of 2026-12-06 when the Sun stands at `elevationDeg` over Kiel.
double sunAt(double elevationDeg) {
    Observer observer;
    auto elevation = [&](double jd) {
        Vector4 sun;
        SunPosition(jd, sun);
        LookAngles look;
        ComputeLookAngles(jd, sun, Vector4{}, observer, look, 1, 0);
        return look.elevation / kDegree;
    };
    double rising = JulianDateFromCalendar(2026, 12, 6, 11, 0, 0, 0);  // still up
    double set = JulianDateFromCalendar(2026, 12, 6, 17, 0, 0, 0);     // down
    for (int i = 0; i < 60; ++i) {
        const double mid = 0.5 * (rising + set);
        (elevation(mid) > elevationDeg ? rising : set) = mid;
    }
    return rising;
}

}  // namespace

TEST(SkyView, DayTwilightAndNightDiscsAndStarsOnlyAtNight) {
    auto state = skyState();
    struct Case {
        double sunDeg;
        bool disc;
        Colour colour;
        bool stars;
    };
    for (const Case& c : {Case{2.0, false, {}, false}, Case{-1.0, true, kNightBlack, true},
                          Case{4.0, true, kDayBlue, false}}) {
        state->clock.currentDate = state->clock.pausedDate = sunAt(c.sunDeg);
        const DisplayList list = paint(*state);
        const DrawCommand* disc = skyDisc(list);
        ASSERT_EQ(disc != nullptr, c.disc) << c.sunDeg;
        if (disc) {
            EXPECT_EQ(disc->brush.colour, c.colour) << c.sunDeg;
        }
        EXPECT_EQ(countStars(list) > 0, c.stars) << c.sunDeg;
        char expected[32];
        std::snprintf(expected, sizeof expected, "Ele: %3.3f", c.sunDeg);
        ASSERT_NE(textStarting(list, "Ele: "), nullptr);
        EXPECT_EQ(textStarting(list, "Ele: ")->text, expected);
    }
}

TEST(SkyView, StarsFainterThanTheLimitOrAtItAreLeftOut) {
    auto state = skyState();
    // Every row is scanned from 5 up; the catalogue's faintest stars are
    // exactly 5.0, drawn only when the limit lies above them.
    state->settings.Stars_Mag = 5;
    const int atFive = countStars(paint(*state));
    EXPECT_GT(atFive, 300);
    state->settings.Stars_Mag = 6;
    EXPECT_GT(countStars(paint(*state)), atFive);
    state->settings.Stars_Mag = 1;  // 16 rows scanned, those brighter than 1 drawn
    const int atOne = countStars(paint(*state));
    EXPECT_GT(atOne, 0);
    EXPECT_LE(atOne, 16);
}

TEST(SkyView, ClockBoxClicksCycleStoppedSimulatedRealTime) {
    auto state = skyState();
    state->clock.mode = ClockMode::RealTime;
    state->mouse = {50, 40};
    DisplayList list = paint(*state);
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);
    EXPECT_EQ(state->mouse.x, 1);  // the click acts once
    EXPECT_NE(textStarting(list, "Pause at"), nullptr);
    paint(*state);
    EXPECT_EQ(state->clock.mode, ClockMode::Stopped);

    state->mouse = {99, 49};  // the box's last pixel
    list = paint(*state);
    EXPECT_EQ(state->clock.mode, ClockMode::SimX1);
    EXPECT_NE(textStarting(list, "Sym time x     1"), nullptr);
    state->mouse = {2, 2};
    list = paint(*state);
    EXPECT_EQ(state->clock.mode, ClockMode::RealTime);
    EXPECT_NE(textStarting(list, "Local time"), nullptr);
    state->mouse = {100, 40};  // beside the box
    paint(*state);
    EXPECT_EQ(state->clock.mode, ClockMode::RealTime);
}

TEST(SkyView, AClickWithinSixPixelsPicksTheSatelliteAndItIsDrawnAsCurrentAtOnce) {
    auto state = skyState();
    const DisplayList before = paint(*state);
    ASSERT_EQ(countBitmaps(before, BitmapId::NotSell), 1);  // the sun-synchronous set
    const DrawCommand* mark = nullptr;
    for (const DrawCommand& c : before.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell) mark = &c;
    const Point p{mark->rect.left + 7, mark->rect.top + 7};

    state->mouse = {p.x + 7, p.y};
    paint(*state);
    EXPECT_EQ(state->catalog.current, kDemoMolniya);
    state->mouse = {p.x, p.y - 7};
    paint(*state);
    EXPECT_EQ(state->catalog.current, kDemoMolniya);

    state->mouse = {p.x + 6, p.y - 6};
    const DisplayList after = paint(*state);
    EXPECT_EQ(state->catalog.current, kDemoSunSync);
    EXPECT_EQ(state->pickLatch, 1);
    EXPECT_EQ(state->mouse.x, 0);
    EXPECT_EQ(countBitmaps(after, BitmapId::Sat), 1);
    // The old current satellite is drawn as an ordinary mark from now on.
    EXPECT_EQ(countBitmaps(after, BitmapId::NotSell), 1);
    // The working set is left holding the last shown satellite, not the current one.
    EXPECT_EQ(state->catalog.currentSet.catalogNumber, 90005);
}

TEST(SkyView, MarksSitWhereTheLookCommandsAnglesPutThem) {
    for (int index : {kDemoSunSync, kDemoMolniya}) {
        const std::map<std::string, double> seen = look(index, "2026-12-06T19:00:00");
        LookAngles angles;
        angles.azimuth = seen.at("azimuth") * kDegree;
        angles.elevation = seen.at("elevation") * kDegree;
        PixelPoint expected;
        ASSERT_TRUE(SkyChartPixel({1, 0}, {0, 1}, angles, kR, kR, 0, expected));

        auto state = skyState("2026-12-06T19:00:00", index == kDemoMolniya ? kDemoSunSync : kDemoMolniya);
        const DisplayList list = paint(*state);
        bool found = false;
        for (const DrawCommand& c : list.commands)
            if (c.op == DrawOp::CopyBitmap && c.bitmap == BitmapId::NotSell) {
                EXPECT_NEAR(c.rect.left + 7, expected.x, 1) << index;
                EXPECT_NEAR(c.rect.top + 7, expected.y + 52, 1) << index;
                found = true;
            }
        EXPECT_TRUE(found) << index;
    }
}

TEST(SkyView, PanelLinesAgreeWithTheLookCommand) {
    const char* utc = "2026-12-06T19:00:00";
    const std::map<std::string, double> seen = look(kDemoSunSync, utc);
    auto state = skyState(utc, kDemoSunSync);
    const DisplayList list = paint(*state);

    const DrawCommand* name = textStarting(list, "DEMO SUN-SYNCHRONOUS");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text, "DEMO SUN-SYNCHRONOUS     nr.90002");
    EXPECT_EQ(name->rect.top, 71);

    const DrawCommand* angles = textStarting(list, "Azm. ");
    ASSERT_NE(angles, nullptr);
    EXPECT_EQ(angles->rect.left, kD + 20);
    EXPECT_EQ(angles->rect.top, 96);
    EXPECT_EQ(angles->colour, (Colour{100, 189, 0}));
    double az = 0, el = 0, range = 0;
    ASSERT_EQ(std::sscanf(angles->text.c_str(), "Azm. %lf° Elv. %lf° Range %lfkm", &az, &el, &range), 3);
    EXPECT_NEAR(az, seen.at("azimuth"), 0.0006);
    EXPECT_NEAR(el, seen.at("elevation"), 0.0006);
    EXPECT_NEAR(range, seen.at("range"), 0.0001);

    double height = 0;
    ASSERT_EQ(std::sscanf(textStarting(list, "Velocity ")->text.c_str(), "Velocity %*fkm/s alttude %lfkm",
                          &height), 1);
    EXPECT_NEAR(height, seen.at("height"), 0.0006);
    double sunAz = 0;
    ASSERT_EQ(std::sscanf(textStarting(list, "Azy: ")->text.c_str(), "Azy: %lf", &sunAz), 1);
    EXPECT_NEAR(sunAz, seen.at("sunAzimuth"), 0.0006);
    // In the Earth's shadow: the depth instead of a magnitude.
    ASSERT_EQ(seen.at("eclipsed"), 1.0);
    EXPECT_NE(textStarting(list, "Sat eclipsed"), nullptr);
    char expected[32];
    std::snprintf(expected, sizeof expected, "Depth %3.2f%%", seen.at("depth") * 100.0);
    EXPECT_NE(textStarting(list, expected), nullptr) << expected;
    EXPECT_EQ(textStarting(list, "Sun")->rect.top, 231);
    EXPECT_EQ(textStarting(list, "GPS")->rect.top, 396);
    EXPECT_EQ(textStarting(list, "19:00:00,00")->font, FontId::Large);

    // Sunlit: its magnitude.
    const std::map<std::string, double> lit = look(kDemoMolniya, utc);
    state = skyState(utc, kDemoMolniya);
    std::snprintf(expected, sizeof expected, "Magnitude %2.1f", lit.at("magnitude"));
    EXPECT_NE(textStarting(paint(*state), expected), nullptr) << expected;
}

TEST(SkyView, GeostationarySetsGetNoTracksOthersDo) {
    const char* overhead = "--lat 0 --lon -155.3 --alt 0";
    ASSERT_GT(look(kDemoGeo, "2026-12-06T19:00:00", overhead).at("elevation"), 80.0);
    auto state = skyState("2026-12-06T19:00:00", kDemoGeo);
    state->observer.latitude = 0.0;
    state->observer.longitude = -155.3 * kDegree;
    state->observer.height = 0.0;
    const Colour sunlitFuture{240, 240, 1}, eclipsedFuture{0, 0, 250};
    for (double meanMotion : {0.004375, 0.0044, 0.0047}) {
        state->catalog.entries[kDemoGeo].meanMotion = meanMotion;
        const DisplayList list = paint(*state);
        EXPECT_EQ(countBitmaps(list, BitmapId::Sat), 1) << meanMotion;
        const bool tracked = hasPixelsOf(list, sunlitFuture) || hasPixelsOf(list, eclipsedFuture);
        EXPECT_EQ(tracked, meanMotion > 0.004675) << meanMotion;
    }
}

TEST(SkyView, ShowAllPathsTracksEverySatelliteUpAndMarksAllButTheCurrent) {
    auto state = skyState();
    state->settings.showAllPaths = 1;
    const DisplayList list = paint(*state);
    EXPECT_EQ(countBitmaps(list, BitmapId::Sat), 2);
    EXPECT_EQ(countBitmaps(list, BitmapId::NotSell), 1);
    EXPECT_TRUE(hasPixelsOf(list, {100, 100, 80}) || hasPixelsOf(list, {0, 0, 150}));  // past tracks
}

TEST(SkyView, FlareMarksGoFromOrangeToYellowWithinLimits) {
    EXPECT_EQ(SkyFlareColour(-1.0), (Colour{180, 140, 0}));
    EXPECT_EQ(SkyFlareColour(3.0), (Colour{180, 1, 0}));
    EXPECT_EQ(SkyFlareColour(-5.0), (Colour{180, 255, 0}));
}

TEST(SkyView, IridiumFlareBlockAndAScanThatNeverSetsIsBounded) {
    auto state = skyState("2026-12-06T19:00:00", kDemoSunSync);
    state->iridiumCatalogue = 1;
    state->settings.flares = 1;
    DisplayList list = paint(*state);
    const DrawCommand* header = textStarting(list, "Irydium flares");
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->rect.top, 396 + 45);
    EXPECT_EQ(header->colour, (Colour{200, 200, 250}));
    const DrawCommand* mirror = &list.commands.back();
    for (const DrawCommand* c : TextCommands(list))
        if (c->rect.top == header->rect.top + 45) mirror = c;  // "Min. flare" path: +15 +15 +15
    EXPECT_NE(mirror->text.find("Main Mission Antena"), std::string::npos) << mirror->text;

    // A set that stays up for hours above an observer on the equator.
    state = skyState("2026-12-06T19:00:00", kDemoGeo);
    state->observer.latitude = 0.0;
    state->observer.longitude = -155.3 * kDegree;
    state->catalog.entries[kDemoGeo].meanMotion = 0.0047;
    state->iridiumCatalogue = 1;
    state->settings.flares = 1;
    DisplayList scanList;
    SkyFrame frame(*state, scanList, kClient, SkyChartFor(kClient, state->viewMatrix, 0));
    frame.jd = state->clock.currentDate;
    LookAngles angles;
    Vector4 position;
    Point point;
    ASSERT_TRUE(SatelliteOnChart(*state, frame.chart, kDemoGeo, angles, position, point, frame.jd, 0));
    const int steps = ScanFlaresAlongTrack(frame, kDemoGeo);
    EXPECT_GT(steps, 1000);
    EXPECT_LE(steps, 2000);
}

TEST(SkyView, GpsSlotsTicksNumbersAndSignalBars) {
    auto state = skyState();
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& g) {
        g.fixMode = 3;
        g.satellitesInView = 3;
        g.satellitesUsed = 1;
        g.prn[0] = 5;  // in use, high in the south-east
        g.azimuthRad[0] = 2.0;
        g.elevationRad[0] = 1.0;
        g.snrDb[0] = 40;
        g.usedPrn[3] = 5;
        g.prn[1] = 0;  // empty slot, up: ticks but no number
        g.azimuthRad[1] = 4.0;
        g.elevationRad[1] = 0.5;
        g.prn[2] = 12;  // below the horizon: a number on the rim, no ticks
        g.elevationRad[2] = -0.2;
    });
    const DisplayList list = paint(*state);
    EXPECT_TRUE(hasPixelsOf(list, {255, 0, 0}));       // slot 0 in use
    EXPECT_TRUE(hasPixelsOf(list, {100, 250, 160}));   // slot 1 not in use
    int used = 0, free = 0, bars = 0;
    for (const DrawCommand* c : TextCommands(list)) {
        used += c->text == "5" && c->colour == Colour{255, 250, 0};
        free += c->text == "12" && c->colour == Colour{150, 150, 100};
        EXPECT_NE(c->text, "0");
    }
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::FillRect && c.brush.colour == Colour{0, 0, 180}) {
            EXPECT_EQ(c.rect.bottom - c.rect.top, 20);  // snr / 2
            ++bars;
        }
    EXPECT_EQ(used, 1);
    EXPECT_EQ(free, 1);
    EXPECT_EQ(bars, 1);
    EXPECT_NE(textStarting(list, "In view:3, in use:1 3D mode"), nullptr);
}

TEST(SkyView, SmallAreasAndSetsWithoutAStateDrawNoChartAndNoNumbers) {
    auto state = skyState("2026-12-06T19:00:00", kSdp4Test);
    DisplayList list = paint(*state);
    EXPECT_EQ(textStarting(list, "Azm. "), nullptr);  // the current set cannot be propagated
    ASSERT_NE(textStarting(list, "SDP4 TEST"), nullptr);
    for (const DrawCommand& c : list.commands)
        for (const Point& p : c.points) ASSERT_TRUE(p.x > -100000 && p.y > -100000);

    for (Rect tiny : {Rect{0, 0, 70, 800}, Rect{0, 0, 1280, 77}, Rect{0, 0, -5, -5}}) {
        list = paint(*state, tiny);
        EXPECT_EQ(countStars(list), 0);
        EXPECT_EQ(countBitmaps(list, BitmapId::NotSell) + countBitmaps(list, BitmapId::Sat), 0);
        EXPECT_NE(textStarting(list, "Sun"), nullptr);  // the panel is still there
    }
    // The placeholder "No satellite" alone, as at a first start.
    auto fresh = std::make_unique<AppState>();
    StartUpDefaults(*fresh);
    fresh->viewMode = ViewMode::Sky;
    list = paint(*fresh);
    EXPECT_EQ(textStarting(list, "Azm. "), nullptr);
    EXPECT_EQ(countBitmaps(list, BitmapId::NotSell), 0);
}

TEST(SkyView, ABigWindowGrowsTheSurfacesAndTheChartIsDrawnWhole) {
    auto state = skyState();
    const Rect big{0, 0, 2560, 1400};
    const DisplayList list = paint(*state, big);
    EXPECT_EQ(list.surfaceWidth, 2560);
    EXPECT_EQ(list.surfaceHeight, 1400);
    int lowest = 0;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && c.colour == Colour{150, 100, 255})
            for (const Point& p : c.points) lowest = std::max(lowest, p.y);
    EXPECT_EQ(lowest, 1400 - 78 + 52);  // the horizon ring's bottom, far below row 900
    EXPECT_EQ(paint(*state, {0, 0, 1000, 600}).surfaceWidth, kSurfaceWidth);
}

TEST(SkyView, DrawCommandPrintsTheFrameAndTimesRepeats) {
    const std::string common = " " + std::string(VANTREK_RES_DIR) +
                               "/TLE/sample.tle --lat 54.3023 --lon 10.1247 --alt 0.03 "
                               "--time 2026-12-06T19:00:00 --index 6";
    std::string out;
    ASSERT_EQ(vantrek::testing::RunCliRaw("draw sky" + common, out), 0);
    EXPECT_EQ(out.substr(0, out.find('\n')), "fill\t0,0,1280,800\t50,0,50");
    EXPECT_NE(out.find("text\t742,71,1600,86\t255,250,0\tsmall\tDEMO MOLNIYA             nr.90004\n"),
              std::string::npos);
    EXPECT_NE(out.find("\tsat\n"), std::string::npos);
    ASSERT_EQ(vantrek::testing::RunCliRaw("draw sky" + common + " --repeat 3", out), 0);
    EXPECT_EQ(out.compare(0, 9, "frames 3 "), 0) << out;
    EXPECT_EQ(vantrek::testing::RunCli("draw sky /nonexistent.tle --lat 0 --lon 0 --alt 0 "
                                       "--time 2026-12-06T19:00:00", out), 2);
    EXPECT_EQ(vantrek::testing::RunCli("draw sky" + common + " --width 12x", out), 2);
}
