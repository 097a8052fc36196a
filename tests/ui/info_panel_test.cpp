#include "ui/views/info_panel.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "../support/sample_sets.hpp"
#include "astro/constants.hpp"
#include "astro/geodetic.hpp"
#include "astro/julian_date.hpp"
#include "data/doppler.hpp"
#include "orbit/catalog_loading.hpp"
#include "orbit/propagation.hpp"
#include "ui/main_window.hpp"
#include "ui/views/info_panel_state_line.hpp"

namespace vantrek {
namespace {

const std::string kSample = std::string(VANTREK_RES_DIR) + "/TLE/sample.tle";
constexpr double kOneDegree = 1.0 * kDegree;

// 2008-09-20 18:23 UTC: the ISS (set 0) rises over Kiel in sunlight after sunset.
const char kVisibleIss[] = "2008-09-20T18:23:00";
const double kVisibleIssJd = JulianDateFromCalendar(2008, 9, 20, 18, 23, 0, 0);
constexpr double kKielLat = 54.3, kKielLon = 10.1, kKielAlt = 0.03;

struct InfoPanelTest : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    const Rect client{0, 0, 1100, 700};

    InfoPanelTest() { StartUpDefaults(*state); }

    void loadSample(int index, double jd) {
        const std::string text = testing::SampleSets();
        loadElementSets(state->catalog, text.data(), static_cast<long>(text.size()));
        state->catalog.current = index;
        loadWorkingElementSet(state->catalog, index, state->catalog.currentSet);
        state->clock.mode = ClockMode::Stopped;
        state->clock.currentDate = jd;
        state->observer.latitude = kKielLat * kDegree;
        state->observer.longitude = kKielLon * kDegree;
        state->observer.height = kKielAlt;
        state->settings.downlink = 145.8;
        state->settings.uplink = 437.8;
    }

    DisplayList paint() {
        DisplayList list;
        PaintInfoPanel(*state, list, client);
        return list;
    }

    // The text command whose text starts with `prefix`, or nullptr.
    static const DrawCommand* line(const DisplayList& list, const std::string& prefix) {
        for (const DrawCommand* c : TextCommands(list))
            if (c->text.compare(0, prefix.size(), prefix) == 0) return c;
        return nullptr;
    }
    // The number after `prefix` in that line.
    static double number(const DisplayList& list, const std::string& prefix) {
        const DrawCommand* c = line(list, prefix);
        EXPECT_NE(c, nullptr) << prefix;
        return c ? std::strtod(c->text.c_str() + prefix.size(), nullptr) : NAN;
    }
};

std::map<std::string, double> look(const std::string& options) {
    std::string out;
    EXPECT_EQ(testing::RunCliRaw("look " + kSample + " " + options, out), 0) << out;
    std::map<std::string, double> values;
    std::istringstream lines(out);
    for (std::string l; std::getline(lines, l);) {
        const size_t eq = l.find('=');
        if (eq != std::string::npos) values[l.substr(0, eq)] = std::strtod(l.c_str() + eq + 1, nullptr);
    }
    return values;
}

std::string kielAt(const char* time) {
    char text[128];
    std::snprintf(text, sizeof text, "--index 0 --lat %g --lon %g --alt %g --time %s", kKielLat, kKielLon,
                  kKielAlt, time);
    return text;
}

TEST(InfoPanelStateLine, RulesInOrderAtTheirBoundaries) {
    StateLineFacts low;  // a low satellite, up, sunlit, under a dark sky
    low.elevation = 10.0 * kOneDegree;
    low.sunElevation = -10.0 * kOneDegree;
    low.height = 400.0;
    low.passPossible = true;
    EXPECT_EQ(ChooseStateLine(low), kStateMagnitude);
    StateLineFacts day = low;
    day.sunElevation = 20.0 * kOneDegree;
    EXPECT_EQ(ChooseStateLine(day), kStatePassingInvisible);
    StateLineFacts shadow = low;
    shadow.eclipsed = true;
    EXPECT_EQ(ChooseStateLine(shadow), kStateEclipsed);
    StateLineFacts down = low;
    down.elevation = -1.0 * kOneDegree;
    EXPECT_EQ(ChooseStateLine(down), kStateBelowHorizon);
    down.passPossible = false;
    EXPECT_EQ(ChooseStateLine(down), kStateAlwaysUnderHorizon);

    StateLineFacts geo = low;
    geo.geostationary = true;
    geo.height = 35786.0;
    geo.eclipsed = true;  // the shadow rules do not apply to it
    EXPECT_EQ(ChooseStateLine(geo), kStateGeostationaryVisible);
    geo.elevation = -5.0 * kOneDegree;
    EXPECT_EQ(ChooseStateLine(geo), kStateGeostationaryInvisible);
    EXPECT_TRUE(IsGeostationary(1.00272 * kRevPerDayToRadPerMin));
    EXPECT_FALSE(IsGeostationary(1.0028 * kRevPerDayToRadPerMin));

    StateLineFacts falling = low;
    falling.height = 121.9;
    EXPECT_EQ(ChooseStateLine(falling), kStateEntersAtmosphere);
    falling.height = 100.0;
    EXPECT_EQ(ChooseStateLine(falling), kStateEntersAtmosphere);
    falling.height = 0.0;
    EXPECT_EQ(ChooseStateLine(falling), kStateReachedGround);
    falling.height = -5.0;
    EXPECT_EQ(ChooseStateLine(falling), kStateReachedGround);
    falling.iridiumCatalogue = true;  // later rules win
    EXPECT_EQ(ChooseStateLine(falling), kStateFlare);
    falling.comparison = true;
    EXPECT_EQ(ChooseStateLine(falling), kStateComparison);

    StateLineNumbers n;
    EXPECT_EQ(StateLineText(kStateEntersAtmosphere, n), "Sat enter atmosphere.");
    EXPECT_EQ(StateLineText(kStateReachedGround, n), "Sat reached ground.");
    EXPECT_EQ(StateLineText(kStateGeostationaryInvisible, n), "Sat geostationay invisible.");
    EXPECT_EQ(StateLineText(kStateMagnitude, n), "Mag ? Illum.   0% Angle   0°");
    n.depth = 0.25;
    EXPECT_EQ(StateLineText(kStateEclipsed, n), "Satellite eclipsed depth  25%");
    n.flare.antenna = 0;  // no antenna: the panel keeps its previous line
    EXPECT_EQ(StateLineText(kStateFlare, n), "");
    n.engine = 1;
    EXPECT_EQ(StateLineText(kStateComparison, n), "SxP8-SxP4");
}

TEST_F(InfoPanelTest, AgreesWithTheLookCommandAndTheDopplerFormula) {
    loadSample(0, kVisibleIssJd);
    const DisplayList list = paint();
    auto v = look(kielAt(kVisibleIss));
    EXPECT_NEAR(number(list, "elv. "), v["elevation"], 0.0005);
    EXPECT_NEAR(number(list, "azm. "), v["azimuth"], 0.0005);
    EXPECT_NEAR(number(list, "lat(N) "), v["latitude"], 0.00005);
    EXPECT_NEAR(number(list, "lon(E) "), v["longitude"], 0.00005);
    EXPECT_NEAR(number(list, "alt. "), v["height"], 0.0005);
    EXPECT_NEAR(number(list, "Range "), v["range"], 0.00005);
    EXPECT_NEAR(number(list, "Azm. "), v["moonAzimuth"], 0.0005);

    // The frequencies heard and sent for that range rate.
    const double c = 299792.458;  // km/s
    EXPECT_NEAR(number(list, "Downlink "), 145.8 * (1.0 - v["rangeRate"] / c), 0.000006);
    EXPECT_NEAR(number(list, "Uplink     "), 437.8 * (1.0 + v["rangeRate"] / c), 0.000006);
    // Up, sunlit, the Sun 9.5 degrees down: the magnitude line.
    char magnitude[80];
    std::snprintf(magnitude, sizeof magnitude, "Mag %2.1f Illum. %3.2f%%", v["magnitude"], v["illumination"]);
    EXPECT_NE(line(list, magnitude), nullptr) << magnitude;
    EXPECT_NE(line(list, "Close Earth sat SGP4 model"), nullptr);
    EXPECT_NE(line(list, "Aver. calc. time "), nullptr);  // tracking is off
}

TEST_F(InfoPanelTest, ComparisonShowsCurrentMinusOtherEngineAndKeepsTheEngine) {
    // A week after the epoch the engines part by a few hundred metres.
    loadSample(0, JulianDateFromCalendar(2008, 9, 27, 18, 23, 0, 0));
    state->settings.sgp8Comparison = 1;
    const DisplayList list = paint();
    EXPECT_EQ(state->settings.s4_s8, 0);
    auto sgp4 = look(kielAt("2008-09-27T18:23:00")), sgp8 = look(kielAt("2008-09-27T18:23:00") + " --engine 8");
    EXPECT_NEAR(number(list, "elv. "), sgp4["elevation"] - sgp8["elevation"], 0.0005);
    EXPECT_NEAR(number(list, "azm. "), sgp4["azimuth"] - sgp8["azimuth"], 0.0005);
    EXPECT_NEAR(number(list, "alt. "), sgp4["height"] - sgp8["height"], 0.0005);
    EXPECT_NEAR(number(list, "Range "), sgp4["range"] - sgp8["range"], 0.0001);
    EXPECT_NE(line(list, "SxP4-SxP8"), nullptr);
}

TEST_F(InfoPanelTest, ComparisonAcrossGreenwichDiffersByAHairNotByATurn) {
    loadSample(0, kVisibleIssJd);
    auto model = std::make_unique<PropagatorState>();
    // Sub-satellite longitude, degrees east -180..180, with one engine.
    auto longitude = [&](double jd, int32_t engine) {
        ElementSet working;
        Vector4 velocity, position;
        propagateSatellite(*model, state->catalog, jd, working, 0, velocity, position, 0, engine);
        GeodeticPoint point;
        GeodeticFromEci(jd, position, point);
        return std::remainder(point.longitude / kDegree, 360.0);
    };
    const double week = JulianDateFromCalendar(2008, 9, 27, 0, 0, 0, 0);
    const double step = 60.0 / 86400.0;
    double before = week;
    while (!(longitude(before, 0) < 0.0 && longitude(before + step, 0) >= 0.0)) before += step;
    double after = before + step;
    for (int i = 0; i < 60; ++i) {
        const double mid = (before + after) / 2.0;
        (longitude(mid, 0) < 0.0 ? before : after) = mid;
    }
    // Move so that the two engines' points lie either side of the meridian.
    const double apart = longitude(after, kEngineSgp8) - longitude(after, 0);
    const double rate = longitude(after + 1.0 / 86400.0, 0) - longitude(after, 0);  // degrees per second
    const double jd = after - apart / 2.0 / rate / 86400.0;
    ASSERT_LT(longitude(jd, 0) * longitude(jd, kEngineSgp8), 0.0);

    state->clock.currentDate = jd;
    state->settings.sgp8Comparison = 1;
    EXPECT_NEAR(number(paint(), "lon(E) "), -apart, 0.0002);
}

TEST_F(InfoPanelTest, FirstLinesClockLabelAndAgeOfTheSet) {
    const double epoch = JulianDateFromEpoch(8264.51782528);  // the ISS set's epoch
    loadSample(0, epoch + 31.2);
    state->clock.mode = ClockMode::SimX100;
    state->clock.multiplier = 1.0;
    DisplayList list = paint();
    const DrawCommand* first = TextCommands(list)[0];
    EXPECT_EQ(first->text.rfind("Sym time x   100       ", 0), 0u) << first->text;
    EXPECT_EQ(first->colour, (Colour{250, 0, 0}));
    const DrawCommand* age = line(list, "TLE data ");
    ASSERT_NE(age, nullptr);
    EXPECT_EQ(age->text, "TLE data 31 days old");
    EXPECT_EQ(age->colour, (Colour{255, 0, 0}));

    loadSample(0, epoch + 29.0);
    state->clock.mode = ClockMode::RealTime;
    list = paint();
    EXPECT_EQ(TextCommands(list)[0]->text.rfind("Local time       ", 0), 0u);
    EXPECT_EQ(line(list, "TLE data ")->colour, (Colour{200, 200, 200}));
}

TEST_F(InfoPanelTest, GpsRowsWithTrackingOnAndTheBlackTextVariant) {
    loadSample(0, kVisibleIssJd);
    state->gps.trackingEnabled = true;  // nothing received yet: fixMode 0
    state->settings.Flag_colors = 1;
    const DisplayList list = paint();
    EXPECT_NE(line(list, "Searching GPS"), nullptr);
    const DrawCommand* fix = line(list, "--");
    ASSERT_NE(fix, nullptr);
    EXPECT_TRUE(fix->textFlags & TextRight);
    EXPECT_EQ(line(list, "Aver. calc. time"), nullptr);
    EXPECT_NE(line(list, "Init:0 read:0"), nullptr);

    EXPECT_EQ(list.commands[0].brush.colour, (Colour{255, 255, 255}));  // black text needs a light page
    EXPECT_EQ(line(list, "elv. ")->colour, (Colour{0, 0, 0}));
    EXPECT_EQ(line(list, "Sun")->colour, (Colour{150, 100, 0}));
    EXPECT_EQ(line(list, "Pause at")->colour, (Colour{250, 0, 0}));
}

TEST_F(InfoPanelTest, ASatelliteThatCannotBeComputedShowsItsSetButNoNumbers) {
    // The start-up placeholder: mean motion 0.
    state->clock.currentDate = kVisibleIssJd;
    const DisplayList list = paint();
    EXPECT_NE(line(list, "Satellite cannot be computed."), nullptr);
    EXPECT_NE(line(list, "No satellite"), nullptr);
    EXPECT_NE(line(list, "Epoch: "), nullptr);
    EXPECT_NE(line(list, "Local time"), nullptr);
    EXPECT_EQ(line(list, "elv. "), nullptr);
    EXPECT_EQ(line(list, "Downlink"), nullptr);
    for (const DrawCommand* c : TextCommands(list)) {
        EXPECT_EQ(c->text.find("nan"), std::string::npos) << c->text;
        EXPECT_EQ(c->text.find("inf"), std::string::npos) << c->text;
    }
}

TEST_F(InfoPanelTest, AnIridiumCatalogueShowsTheFlareLineForASunlitSatelliteUp) {
    loadSample(0, kVisibleIssJd);
    state->iridiumCatalogue = 1;
    const DisplayList list = paint();
    const DrawCommand* flare = line(list, "Iridium flare ");
    ASSERT_NE(flare, nullptr);
    const std::string mirror = flare->text.substr(flare->text.size() - 9);
    EXPECT_TRUE(mirror == "MMA Front" || mirror == "MMA Left " || mirror == "MMA Right") << flare->text;
}

TEST_F(InfoPanelTest, CalculationTimeAverageRestartsWithAnotherSatellite) {
    loadSample(0, kVisibleIssJd);
    paint();
    paint();
    EXPECT_EQ(state->infoPanel.calcTimeCount, 2);
    state->catalog.current = 1;
    paint();
    EXPECT_EQ(state->infoPanel.calcTimeCount, 1);
    EXPECT_EQ(state->infoPanel.calcTimeCatalogNumber, state->catalog.entries[1].catalogNumber);
}

}  // namespace
}  // namespace vantrek
