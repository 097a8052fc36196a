#include "ui/views/gps_status_view.hpp"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../support/run_cli.hpp"
#include "ui/main_window.hpp"
#include "ui/main_window_paint.hpp"

namespace vantrek {
namespace {

constexpr Colour kDarkBlue{0, 0, 180};
constexpr Colour kLightBlue{100, 100, 250};

struct GpsStatusViewTest : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    FakeSystemClock clock;

    GpsStatusViewTest() {
        StartUpDefaults(*state);
        state->viewMode = ViewMode::GpsStatus;
        clock.utc = {2026, 12, 7, 6, 5, 4, 0};
    }

    DisplayList paint() {
        DisplayList list;
        PaintView(*state, list, {0, 0, 900, 600}, clock);
        return list;
    }

    static std::vector<std::string> texts(const DisplayList& list) {
        std::vector<std::string> out;
        for (const DrawCommand* c : TextCommands(list)) out.push_back(c->text);
        return out;
    }

    static const DrawCommand* find(const DisplayList& list, const std::string& text) {
        for (const DrawCommand* c : TextCommands(list))
            if (c->text == text) return c;
        return nullptr;
    }
};

TEST_F(GpsStatusViewTest, TrackingOffShowsTheComputersTimeAndNothingElse) {
    const DisplayList list = paint();
    EXPECT_EQ(texts(list), (std::vector<std::string>{"SYS time UTC 2026-12-7  6:05:04", "GPS not activated.   "}));
    EXPECT_EQ(list.commands.size(), 3u);  // the black page and the two lines: no signal chart
    EXPECT_EQ(TextCommands(list)[1]->rect.top, 52 + 19);
}

TEST_F(GpsStatusViewTest, TrackingOnBeforeAnyFixStillDrawsTheSignalChart) {
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.satellitesInView = 40;  // more than the 16 slots: the chart stays at 16
        d.prn[0] = 12;
        d.snrDb[0] = 40;
        d.usedPrn[3] = 12;
        d.prn[1] = 0;  // an empty slot with a stray SNR
        d.snrDb[1] = 30;
        d.prn[2] = 7;
        d.snrDb[2] = 20;
    });
    const DisplayList list = paint();
    EXPECT_NE(find(list, "GPS not activated.   "), nullptr);
    int frames = 0;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::FillRect && c.brush.colour == Colour{255, 255, 255}) ++frames;
    EXPECT_EQ(frames, 16);

    // Slot 0 (right edge x = 30): a dark bar 40 pixels high labelled 40, "12" under the frame.
    const DrawCommand* bar = nullptr;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::FillRect && c.rect.left == 10 && c.rect.top == 449 - 40) bar = &c;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->brush.colour, kDarkBlue);
    EXPECT_EQ(bar->rect.bottom, 449);
    const DrawCommand* prn = find(list, "12");
    ASSERT_NE(prn, nullptr);
    EXPECT_EQ(prn->rect.top, 454);
    EXPECT_EQ(prn->colour, (Colour{100, 100, 80}));
    EXPECT_EQ(find(list, "40")->colour, (Colour{250, 150, 150}));
    // Slot 1 shows "--" whatever its SNR; slot 2 is not in the solution: a light bar.
    const DrawCommand* empty = find(list, "--");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->rect.left, 40);
    EXPECT_EQ(find(list, "30"), nullptr);
    EXPECT_EQ(find(list, "20")->colour, (Colour{100, 100, 80}));
    const DrawCommand* unused = nullptr;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::FillRect && c.rect.left == 70 && c.rect.top == 449 - 20) unused = &c;
    ASSERT_NE(unused, nullptr);
    EXPECT_EQ(unused->brush.colour, kLightBlue);
}

TEST_F(GpsStatusViewTest, NoFixShowsTheDashFormsButTheReceiversTime) {
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.fixMode = 1;
        d.utcYear = 2007;
        d.utcMonth = 4;
        d.utcDay = 8;
        d.utcHour = 9;
        d.utcMinute = 54;
        d.utcSecond = 15;
        d.utcHundredths = 7;
        d.hdop = 0.9;
    });
    const DisplayList list = paint();
    const std::vector<std::string> expected = {
        "SYS time UTC 2026-12-7  6:05:04",         "GPS time UTC 2007-4-8  9:54:15 (07)",
        "Position not know.",                       "Sat. in view: --,   sat. in use: --",
        "Position:",                                "lat(N):--°,   lon(E):--°   Altitude: --m",
        "Horisontal precision: --m",                "Vertical precision (VDOP): --m",
        "PDOP: --m",                                "Speed: --km/h",
        "SGP89 difference: --m"};
    std::vector<std::string> shown = texts(list);
    shown.resize(expected.size());  // the signal chart's labels follow
    EXPECT_EQ(shown, expected);

    // HDOP 0.9: squares 0-2 dark (0, 0.125 and 0.5 lie below it), 3-19 light,
    // level with the line they follow.
    const int32_t hdopTop = find(list, "Horisontal precision: --m")->rect.top;
    EXPECT_EQ(hdopTop, 52 + 5 * 19 + 38);
    std::vector<Colour> squares;
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::FillRect && c.rect.top == hdopTop + 6 && c.rect.bottom == hdopTop + 12)
            squares.push_back(c.brush.colour);
    ASSERT_EQ(squares.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(squares[i], i < 3 ? kDarkBlue : kLightBlue) << i;
    EXPECT_EQ(find(list, "Vertical precision (VDOP): --m")->rect.top, hdopTop + 19 + 6);
    EXPECT_EQ(GaugeDarkSquares(2.0), 4);
    EXPECT_EQ(GaugeDarkSquares(1e9), 20);
}

TEST(CliDrawGps, TheShippedCaptureFillsTheGpsPageAndThePanelsGpsRows) {
    const std::string args = std::string(VANTREK_RES_DIR) +
                             "/TLE/sample.tle --lat 54.3 --lon 10.1 --alt 0.03 --time 2008-09-20T12:00:00 --nmea " +
                             VANTREK_REFERENCE_DATA_DIR + "/nmea/haicom-305N.log";
    std::string out;
    ASSERT_EQ(testing::RunCli("draw gps " + args, out), 0) << out;
    EXPECT_NE(out.find("\tSYS time UTC 2008-9-20  12:00:00\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\tlat(N): -27.21067°     lon(E): 153.05200°    Altitude: 3.5m\n"), std::string::npos);
    EXPECT_NE(out.find("\tSat. in view:12,   sat. in use: 6\n"), std::string::npos);
    ASSERT_EQ(testing::RunCli("draw info " + args, out), 0) << out;
    EXPECT_NE(out.find("\tGPS  lat -27.21067°  lon 153.05200°  alt 3.50m\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\tGPS(UTC) time 9:54:15 \n"), std::string::npos);
    EXPECT_NE(out.find("\t3D mode\n"), std::string::npos);
}

}  // namespace
}  // namespace vantrek
