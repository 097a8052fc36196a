#include "ui/views/map_view.hpp"

#include <cmath>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"
#include "orbit/catalog_loading.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"

#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"

using namespace vantrek;

namespace {

// res/TLE/sample.tle at 2026-12-06 19:00 UTC.
constexpr int kSdp4Test = 2;     // no finite state in 2026
constexpr int kDemoStation = 3;
constexpr int kDemoMolniya = 6;  // 717.8-minute period
constexpr int kDemoGeo = 7;      // over 155.3 W on the equator
const char* const kUtc = "2026-12-06T19:00:00";
const Rect kClient{0, 0, 1280, 800};
constexpr int32_t kW = 1280, kH = 800 - 52;  // the map's size
constexpr Colour kFootprint{0, 250, 0};
constexpr Colour kTrackSunlit{250, 250, 0};
constexpr Colour kTrackShadow{50, 50, 220};

std::unique_ptr<AppState> mapState(int current, double jd = JulianDateFromCalendar(2026, 12, 6, 19, 0, 0, 0)) {
    auto state = std::make_unique<AppState>();
    StartUpDefaults(*state);
    const std::string text = vantrek::testing::SampleSets();
    loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
    state->catalog.current = current;
    loadWorkingElementSet(state->catalog, current, state->catalog.currentSet);
    state->clock.mode = ClockMode::Stopped;
    state->clock.currentDate = state->clock.pausedDate = jd;
    state->viewMode = ViewMode::Map;
    state->pickLatch = 1;  // no click pending
    return state;
}

DisplayList paint(AppState& state) {
    DisplayList list;
    PaintView(state, list, kClient);
    return list;
}

std::vector<const DrawCommand*> bitmaps(const DisplayList& list, BitmapId id, Surface on = Surface::BackBuffer) {
    std::vector<const DrawCommand*> found;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::CopyBitmap && c.bitmap == id && c.target == on) found.push_back(&c);
    return found;
}

std::vector<Point> pixels(const DisplayList& list, Colour colour) {
    std::vector<Point> found;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && c.colour == colour) found.insert(found.end(), c.points.begin(), c.points.end());
    return found;
}

// Degrees of longitude and latitude of a map pixel in the window.
double longitudeAt(double x) { return (x - kW / 2.0) * 360.0 / kW; }
double latitudeAt(double y) { return (kH / 2.0 - (y - kMapTop)) * 180.0 / kH; }

std::map<std::string, double> look(int index) {
    std::string out;
    EXPECT_EQ(vantrek::testing::RunCliRaw("look " + std::string(VANTREK_RES_DIR) + "/TLE/sample.tle --index " +
                                              std::to_string(index) + " --lat 54.3 --lon 10.1 --alt 0 --time " + kUtc,
                                          out),
              0);
    std::map<std::string, double> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        values[line.substr(0, line.find('='))] = std::stod(line.substr(line.find('=') + 1));
    return values;
}

}  // namespace

// The day map pasted onto the work image covers the half of the Earth that has
// the Sun above its horizon, in both solstices and at an equinox (where a
// terminator drawn for a declination of exactly 0 would paste nothing, so it
// is drawn as for 0.02 rad).
TEST(MapView, DaylightCoversTheSunlitHalfOfTheEarth) {
    const double dates[] = {JulianDateFromCalendar(2026, 6, 21, 8, 24, 0, 0),
                            JulianDateFromCalendar(2026, 12, 21, 20, 50, 0, 0),
                            JulianDateFromCalendar(2026, 3, 20, 14, 46, 0, 0)};
    for (double jd : dates) {
        auto state = mapState(kDemoStation, jd);
        const DisplayList list = paint(*state);
        std::vector<char> day(kWorkImageWidth * kWorkImageHeight, 0);
        for (const DrawCommand* c : bitmaps(list, BitmapId::Day, Surface::WorkImage))
            for (int y = std::max(0, c->rect.top); y < std::min(kWorkImageHeight, c->rect.bottom); ++y)
                for (int x = std::max(0, c->rect.left); x < std::min(kWorkImageWidth, c->rect.right); ++x)
                    day[y * kWorkImageWidth + x] = 1;
        GeodeticPoint sub;
        Vector4 sun;
        Point p;
        sunSubPoint(sub, sun, p, jd, kWorkImageWidth, kWorkImageHeight);
        if (std::fabs(sub.latitude) < 0.02) sub.latitude = sub.latitude < 0.0 ? -0.02 : 0.02;
        int wrong = 0;
        for (int y = 0; y < kWorkImageHeight; ++y)
            for (int x = 0; x < kWorkImageWidth - 2; ++x) {  // the day map is 898 wide
                const double lat = (kWorkImageHeight / 2.0 - y - 0.5) * kPi / kWorkImageHeight;
                const double lon = (x + 0.5 - kWorkImageWidth / 2.0) * kTwoPi / kWorkImageWidth;
                const double cosZenith = std::sin(lat) * std::sin(sub.latitude) +
                                         std::cos(lat) * std::cos(sub.latitude) * std::cos(lon - sub.longitude);
                wrong += (cosZenith > 0.0) != (day[y * kWorkImageWidth + x] != 0);
            }
        EXPECT_LT(wrong, kWorkImageWidth * kWorkImageHeight / 100) << jd;
    }
}

// The Sun stands overhead at its declination, on the meridian where it is
// noon: the solstices of 2026 (declination 23.44 degrees; the equation of
// time -1.6 and +1.7 minutes).
TEST(MapView, SubSolarPointLiesAtTheSunsDeclinationAndLocalNoon) {
    struct Case {
        double jd, declinationDeg, longitudeDeg;
    };
    const Case cases[] = {{JulianDateFromCalendar(2026, 6, 21, 8, 24, 0, 0), 23.44, (12.0 - 8.4 + 1.6 / 60) * 15},
                          {JulianDateFromCalendar(2026, 12, 21, 20, 50, 0, 0), -23.44,
                           (12.0 - 20.0 - 50.0 / 60 - 1.7 / 60) * 15}};
    for (const Case& c : cases) {
        auto state = mapState(kDemoStation, c.jd);
        const std::vector<const DrawCommand*> suns = bitmaps(paint(*state), BitmapId::Sun);
        ASSERT_EQ(suns.size(), 1u);
        const double onePixelDeg = 360.0 / kW;
        EXPECT_NEAR(latitudeAt(suns[0]->rect.top + 15), c.declinationDeg, 0.3 + onePixelDeg);
        EXPECT_NEAR(longitudeAt(suns[0]->rect.left + 15), c.longitudeDeg, 0.5 + onePixelDeg);
    }
}

TEST(MapView, MarkersSitAtTheSubSatellitePointsTheLookCommandGives) {
    auto state = mapState(kDemoStation);
    const DisplayList list = paint(*state);
    const std::vector<const DrawCommand*> marks = bitmaps(list, BitmapId::NotSell);
    ASSERT_EQ(marks.size(), 7u);  // eight sets, one of which cannot be propagated
    for (int index : {kDemoStation, 4, kDemoMolniya, kDemoGeo}) {
        const auto facts = look(index);
        const DrawCommand* mark = marks[index < kSdp4Test ? index : index - 1];
        const double onePixelDeg = 360.0 / kW;
        EXPECT_NEAR(longitudeAt(mark->rect.left + 7), facts.at("longitude"), onePixelDeg) << index;
        EXPECT_NEAR(latitudeAt(mark->rect.top + 7), facts.at("latitude"), onePixelDeg) << index;
    }
    // The current set gets the bitmap, footprint, both track colours and its name.
    EXPECT_EQ(bitmaps(list, BitmapId::Sat).size(), 1u);
    EXPECT_GT(pixels(list, kFootprint).size(), 300u);
    EXPECT_GT(pixels(list, kTrackSunlit).size() + pixels(list, kTrackShadow).size(), 1000u);
    ASSERT_EQ(TextCommands(list).size(), 1u);
    EXPECT_EQ(TextCommands(list)[0]->text.rfind("DEMO STATION", 0), 0u);
}

TEST(MapView, GeostationaryHasNoTrackAndItsFootprintDoesNotCrossTheMap) {
    auto state = mapState(kDemoGeo);
    const DisplayList list = paint(*state);
    EXPECT_EQ(bitmaps(list, BitmapId::Sat).size(), 1u);
    EXPECT_EQ(TextCommands(list).size(), 1u);
    EXPECT_TRUE(pixels(list, kTrackSunlit).empty() && pixels(list, kTrackShadow).empty());
    // Over 155.3 W the circle (81.3 degrees wide) reaches 123.4 E across the
    // date line and 74 W: nothing of it lies between.
    const std::vector<Point> circle = pixels(list, kFootprint);
    ASSERT_GT(circle.size(), 500u);
    for (const Point& p : circle) {
        const double lon = longitudeAt(p.x);
        EXPECT_FALSE(lon > -72.0 && lon < 121.0) << lon;
    }
}

// Two periods of about 718 minutes last one sidereal day: the track ends where it began.
TEST(MapView, ALongPeriodGetsATrackOfTwoPeriods) {
    auto state = mapState(kDemoMolniya);
    const DisplayList list = paint(*state);
    const DrawCommand* mark = bitmaps(list, BitmapId::Sat).at(0);
    const DrawCommand* last = nullptr;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::SetPixels && (c.colour == kTrackSunlit || c.colour == kTrackShadow)) last = &c;
    ASSERT_NE(last, nullptr);
    const Point end = last->points.back();
    EXPECT_NEAR(end.x, mark->rect.left + 7, 25);
    EXPECT_NEAR(end.y, mark->rect.top + 7, 25);
}

TEST(MapView, AClickWithinSevenPixelsOfAMarkerPicksItsSatellite) {
    auto state = mapState(kDemoStation);
    const Rect mark = bitmaps(paint(*state), BitmapId::NotSell).at(kDemoGeo - 1)->rect;
    const Point centre{mark.left + 7, mark.top + 7};
    state->pickLatch = 0;
    for (MousePoint miss : {MousePoint{centre.x + 7, centre.y}, MousePoint{centre.x, centre.y - 7}}) {
        state->mouse = miss;
        paint(*state);
        EXPECT_EQ(state->catalog.current, kDemoStation);
    }
    state->mouse = {centre.x - 6, centre.y + 6};
    const DisplayList after = paint(*state);
    EXPECT_EQ(state->catalog.current, kDemoGeo);
    EXPECT_EQ(state->pickLatch, 1);
    EXPECT_EQ(bitmaps(after, BitmapId::Sat).back()->rect.left, mark.left);  // drawn as current at once
}

TEST(MapView, TheDrawCommandPaintsTheMap) {
    std::string out;
    ASSERT_EQ(vantrek::testing::RunCliRaw("draw map " + std::string(VANTREK_RES_DIR) +
                                              "/TLE/sample.tle --lat 54.3 --lon 10.1 --alt 0 --index 3 --time " + kUtc,
                                          out),
              0);
    EXPECT_NE(out.find("stretchsurface\t0,26,1280,774\tworkimage\t0,0,900,450"), std::string::npos);
    EXPECT_NE(out.find("DEMO STATION"), std::string::npos);
}
