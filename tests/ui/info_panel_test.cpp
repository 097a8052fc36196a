#include "ui/views/info_panel.hpp"

#include <cmath>

#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "orbit/propagation.hpp"
#include "ui/views/info_panel_state_line.hpp"

#include "ui_test_support.hpp"

namespace vantrek {
namespace {

// 2008-09-20 18:23 UTC: the ISS (set 0) rises over Kiel in sunlight after sunset.
const std::string kIssOverKiel = "--index 0 --lat 54.3 --lon 10.1 --alt 0.03 --time 2008-09-20T18:23:00";
const double kIssOverKielJd = JulianDateFromCalendar(2008, 9, 20, 18, 23, 0, 0);

struct InfoPanelTest : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    DisplayList list;

    InfoPanelTest() { StartUpDefaults(*state); }

    void loadSample(double jd) {
        const std::string text = testing::SampleSets();
        loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
        state->clock = {ClockMode::Stopped, 1.0, jd, jd};
        state->observer.latitude = 54.3 * kDegree;
        state->observer.longitude = 10.1 * kDegree;
        state->settings.downlink = 145.8;
        state->settings.uplink = 437.8;
    }
    void paint() {
        list = DisplayList{};
        PaintInfoPanel(*state, list, {0, 0, 1100, 700});
    }
    // The text that starts with `prefix`, or nullptr; and the number after it.
    const DrawCommand* line(const std::string& prefix) const { return testing::TextStarting(list, prefix); }
    double number(const std::string& prefix) const {
        const DrawCommand* c = line(prefix);
        EXPECT_NE(c, nullptr) << prefix;
        return c ? std::atof(c->text.c_str() + prefix.size()) : NAN;
    }
};

TEST(InfoPanelStateLine, RulesInOrderAtTheirBoundaries) {
    const double deg = kDegree;
    StateLineFacts up;  // a low satellite, up, sunlit, under a dark sky
    up.elevation = 10 * deg, up.sunElevation = -10 * deg, up.height = 400, up.passPossible = true;
    auto with = [&](auto change) {
        StateLineFacts f = up;
        change(f);
        return ChooseStateLine(f);
    };
    EXPECT_EQ(ChooseStateLine(up), kStateMagnitude);
    EXPECT_EQ(with([&](StateLineFacts& f) { f.sunElevation = 20 * deg; }), kStatePassingInvisible);
    EXPECT_EQ(with([](StateLineFacts& f) { f.eclipsed = true; }), kStateEclipsed);
    EXPECT_EQ(with([&](StateLineFacts& f) { f.elevation = -deg; }), kStateBelowHorizon);
    EXPECT_EQ(with([&](StateLineFacts& f) { f.elevation = -deg, f.passPossible = false; }),
              kStateAlwaysUnderHorizon);
    // Geostationary: the shadow rules do not apply to it.
    EXPECT_EQ(with([](StateLineFacts& f) { f.geostationary = f.eclipsed = true, f.height = 35786; }),
              kStateGeostationaryVisible);
    EXPECT_EQ(
        with([&](StateLineFacts& f) { f.geostationary = true, f.elevation = -5 * deg, f.height = 35786; }),
        kStateGeostationaryInvisible);
    EXPECT_TRUE(IsGeostationary(1.00272 * kRevPerDayToRadPerMin));
    EXPECT_FALSE(IsGeostationary(1.0028 * kRevPerDayToRadPerMin));
    // Falling: below 122 km, then at or under the ground; later rules still win.
    EXPECT_EQ(with([](StateLineFacts& f) { f.height = 100; }), kStateEntersAtmosphere);
    EXPECT_EQ(with([](StateLineFacts& f) { f.height = 0; }), kStateReachedGround);
    EXPECT_EQ(with([](StateLineFacts& f) { f.height = -5; }), kStateReachedGround);
    EXPECT_EQ(with([](StateLineFacts& f) { f.height = -5, f.iridiumCatalogue = true; }), kStateFlare);
    EXPECT_EQ(with([](StateLineFacts& f) { f.iridiumCatalogue = f.comparison = true; }), kStateComparison);

    StateLineNumbers n;
    EXPECT_EQ(StateLineText(kStateEntersAtmosphere, n), "Sat enter atmosphere.");
    EXPECT_EQ(StateLineText(kStateReachedGround, n), "Sat reached ground.");
    EXPECT_EQ(StateLineText(kStateGeostationaryInvisible, n), "Sat geostationay invisible.");
    EXPECT_EQ(StateLineText(kStateMagnitude, n), "Mag ? Illum.   0% Angle   0°");
    n.depth = 0.25;
    EXPECT_EQ(StateLineText(kStateEclipsed, n), "Satellite eclipsed depth  25%");
    EXPECT_EQ(StateLineText(kStateFlare, n), "");  // no antenna: the panel keeps its previous line
    n.engine = 1;
    EXPECT_EQ(StateLineText(kStateComparison, n), "SxP8-SxP4");
}

TEST_F(InfoPanelTest, AgreesWithTheLookCommandAndTheDopplerFormula) {
    loadSample(kIssOverKielJd);
    paint();
    auto v = testing::Look(kIssOverKiel);
    EXPECT_NEAR(number("elv. "), v["elevation"], 0.0005);
    EXPECT_NEAR(number("azm. "), v["azimuth"], 0.0005);
    EXPECT_NEAR(number("lat(N) "), v["latitude"], 0.00005);
    EXPECT_NEAR(number("lon(E) "), v["longitude"], 0.00005);
    EXPECT_NEAR(number("alt. "), v["height"], 0.0005);
    EXPECT_NEAR(number("Range "), v["range"], 0.00005);
    EXPECT_NEAR(number("Azm. "), v["moonAzimuth"], 0.0005);
    const double c = 299792.458;  // km/s
    EXPECT_NEAR(number("Downlink "), 145.8 * (1.0 - v["rangeRate"] / c), 0.000006);
    EXPECT_NEAR(number("Uplink     "), 437.8 * (1.0 + v["rangeRate"] / c), 0.000006);
    // Up, sunlit, the Sun 9.5 degrees down: the magnitude line.
    EXPECT_NEAR(number("Mag "), v["magnitude"], 0.05);
    EXPECT_NE(line("Close Earth sat SGP4 model"), nullptr);
    EXPECT_NE(line("Aver. calc. time "), nullptr);  // tracking is off

    state->iridiumCatalogue = 1;
    paint();
    EXPECT_NE(line("Iridium flare "), nullptr);
}

TEST_F(InfoPanelTest, ComparisonShowsCurrentMinusOtherEngineAndKeepsTheEngine) {
    // A week after the epoch the engines part by a few hundred metres.
    const std::string weekLater = "--index 0 --lat 54.3 --lon 10.1 --alt 0.03 --time 2008-09-27T18:23:00";
    loadSample(JulianDateFromCalendar(2008, 9, 27, 18, 23, 0, 0));
    state->settings.sgp8Comparison = 1;
    paint();
    EXPECT_EQ(state->settings.s4_s8, 0);
    auto sgp4 = testing::Look(weekLater), sgp8 = testing::Look(weekLater + " --engine 8");
    EXPECT_NEAR(number("elv. "), sgp4["elevation"] - sgp8["elevation"], 0.0005);
    EXPECT_NEAR(number("alt. "), sgp4["height"] - sgp8["height"], 0.0005);
    EXPECT_NEAR(number("Range "), sgp4["range"] - sgp8["range"], 0.0001);
    EXPECT_NE(line("SxP4-SxP8"), nullptr);
}

TEST_F(InfoPanelTest, ComparisonAcrossGreenwichDiffersByAHairNotByATurn) {
    loadSample(kIssOverKielJd);
    auto model = std::make_unique<PropagatorState>();
    auto longitude = [&](double jd, int32_t engine) {  // degrees east, -180..180
        ElementSet working;
        Vector4 velocity, position;
        propagateSatellite(*model, state->catalog, jd, working, 0, velocity, position, 0, engine);
        GeodeticPoint point;
        GeodeticFromEci(jd, position, point);
        return std::remainder(point.longitude / kDegree, 360.0);
    };
    const double minute = 1.0 / 1440.0;
    double before = JulianDateFromCalendar(2008, 9, 27, 0, 0, 0, 0);
    while (!(longitude(before, 0) < 0.0 && longitude(before + minute, 0) >= 0.0)) before += minute;
    double after = before + minute;
    for (int i = 0; i < 60; ++i) {
        const double mid = (before + after) / 2.0;
        (longitude(mid, 0) < 0.0 ? before : after) = mid;
    }
    // Then back by half the engines' distance, so that they lie either side of the meridian.
    const double apart = longitude(after, kEngineSgp8) - longitude(after, 0);
    const double perSecond = longitude(after + 1.0 / 86400.0, 0) - longitude(after, 0);
    state->clock.currentDate = after - apart / 2.0 / perSecond / 86400.0;
    ASSERT_LT(longitude(state->clock.currentDate, 0) * longitude(state->clock.currentDate, kEngineSgp8), 0.0);
    state->settings.sgp8Comparison = 1;
    paint();
    EXPECT_NEAR(number("lon(E) "), -apart, 0.0002);
}

TEST_F(InfoPanelTest, ClockLabelAgeOfTheSetAndTheBlackTextVariant) {
    const double epoch = JulianDateFromEpoch(8264.51782528);  // the ISS set's
    loadSample(epoch + 31.2);
    state->clock.mode = ClockMode::SimX100;
    paint();
    EXPECT_EQ(TextCommands(list)[0]->text.rfind("Sym time x   100       ", 0), 0u)
        << TextCommands(list)[0]->text;
    EXPECT_EQ(TextCommands(list)[0]->colour, (Colour{250, 0, 0}));
    ASSERT_NE(line("TLE data 31 days old"), nullptr);
    EXPECT_EQ(line("TLE data ")->colour, (Colour{255, 0, 0}));

    loadSample(epoch + 29.0);
    state->clock.mode = ClockMode::RealTime;
    state->settings.Flag_colors = 1;
    paint();
    EXPECT_NE(line("Local time       "), nullptr);
    EXPECT_EQ(line("TLE data 29")->colour, (Colour{0, 0, 0}));
    EXPECT_EQ(list.commands[0].brush.colour, (Colour{255, 255, 255}));  // black text needs a light page
    EXPECT_EQ(line("elv. ")->colour, (Colour{0, 0, 0}));
    EXPECT_EQ(line("Sun")->colour, (Colour{150, 100, 0}));
}

TEST_F(InfoPanelTest, TrackingOnBeforeAFixAndTheRunningAverage) {
    loadSample(kIssOverKielJd);
    state->gps.trackingEnabled = true;  // nothing received: fixMode 0
    paint();
    EXPECT_NE(line("Searching GPS"), nullptr);
    ASSERT_NE(line("--"), nullptr);
    EXPECT_TRUE(line("--")->textFlags & TextRight);
    EXPECT_EQ(line("Aver. calc. time"), nullptr);
    EXPECT_EQ(state->infoPanel.calcTimeCount, 0);  // counted only with tracking off

    state->gps.trackingEnabled = false;
    paint();
    paint();
    EXPECT_EQ(state->infoPanel.calcTimeCount, 2);
    state->catalog.current = 1;
    paint();
    EXPECT_EQ(state->infoPanel.calcTimeCount, 1);  // another satellite starts afresh
}

TEST_F(InfoPanelTest, ASatelliteThatCannotBeComputedShowsItsSetButNoNumbers) {
    state->clock.currentDate = kIssOverKielJd;  // the start-up placeholder: mean motion 0
    paint();
    EXPECT_NE(line("Satellite cannot be computed."), nullptr);
    EXPECT_NE(line("No satellite"), nullptr);
    EXPECT_EQ(line("elv. "), nullptr);
    for (const DrawCommand* c : TextCommands(list)) {
        EXPECT_EQ(c->text.find("nan"), std::string::npos) << c->text;
        EXPECT_EQ(c->text.find("inf"), std::string::npos) << c->text;
    }
}

}  // namespace
}  // namespace vantrek
