#include "ui/views/info_panel.hpp"

#include <cmath>

#include "astro/constants.hpp"
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
        state = testing::SampleViewState(ViewMode::InfoPanel, 0, jd);
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

    state->iridiumCatalogue = 1;
    paint();
    EXPECT_NE(line("Iridium flare "), nullptr);

    // Tracking on before the receiver has a fix: the search is shown, no calculation time.
    state->gps.trackingEnabled = true;
    paint();
    EXPECT_NE(line("Searching GPS"), nullptr);
    EXPECT_NE(line("--"), nullptr);
    EXPECT_EQ(line("Aver. calc. time"), nullptr);
}

TEST_F(InfoPanelTest, ComparisonShowsCurrentMinusOtherEngineKeepsTheEngineAndCrossesGreenwichByAHair) {
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

    // 2008-09-27 00:14:27.58 UTC the ISS crosses Greenwich with SGP4 0.00054
    // degrees east of it and SGP8 0.00054 degrees west (both engines
    // propagated to that instant): the comparison shows 0.0011 degrees, not a turn.
    loadSample(2454736.5100414241);
    state->settings.sgp8Comparison = 1;
    paint();
    EXPECT_NEAR(number("lon(E) "), 0.0011, 0.0002);
}

TEST_F(InfoPanelTest, ClockLabelAgeOfTheSetAndTheBlackTextVariant) {
    const double epoch = JulianDateFromEpoch(8264.51782528);  // the ISS set's
    loadSample(epoch + 31.2);
    state->clock.mode = ClockMode::SimX100;
    paint();
    EXPECT_EQ(TextCommands(list)[0]->text.rfind("Sym time x   100       ", 0), 0u)
        << TextCommands(list)[0]->text;
    EXPECT_NE(line("TLE data 31 days old"), nullptr);

    loadSample(epoch + 29.0);
    state->clock.mode = ClockMode::RealTime;
    state->settings.Flag_colors = 1;
    paint();
    EXPECT_NE(line("Local time       "), nullptr);
    EXPECT_EQ(line("TLE data 29")->colour, (Colour{0, 0, 0}));
    EXPECT_EQ(list.commands[0].brush.colour, (Colour{255, 255, 255}));  // black text needs a light page
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
