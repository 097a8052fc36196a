#include "ui/views/gps_status_view.hpp"

#include "ui_test_support.hpp"

namespace vantrek {
namespace {

constexpr Colour kDarkBlue{0, 0, 180};
constexpr Colour kLightBlue{100, 100, 250};

struct GpsStatusViewTest : ::testing::Test {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    FakeSystemClock clock;
    DisplayList list;

    GpsStatusViewTest() {
        StartUpDefaults(*state);
        state->viewMode = ViewMode::GpsStatus;
        clock.utc = {2026, 12, 7, 6, 5, 4, 0};
    }
    // The page drawn, and its texts in drawing order.
    std::vector<std::string> paint() {
        list = DisplayList{};
        PaintView(*state, list, {0, 0, 900, 600}, clock);
        std::vector<std::string> texts;
        for (const DrawCommand* c : TextCommands(list)) texts.push_back(c->text);
        return texts;
    }
    const DrawCommand* text(const std::string& t) const {
        for (const DrawCommand* c : TextCommands(list))
            if (c->text == t) return c;
        return nullptr;
    }
    // The colour of the rectangle filled from (left, top); black when there is none.
    Colour fill(int32_t left, int32_t top) const {
        for (const DrawCommand& c : list.commands)
            if (c.op == DrawOp::FillRect && c.rect.left == left && c.rect.top == top) return c.brush.colour;
        return {0, 0, 0};
    }
};

TEST_F(GpsStatusViewTest, TrackingOffShowsNoChartBeforeAnyFixTheChartMarksTheUsedSatellites) {
    EXPECT_EQ(paint(), (std::vector<std::string>{"SYS time UTC 2026-12-7  6:05:04", "GPS not activated.   "}));

    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.satellitesInView = 40;  // more than the 16 slots
        d.prn[0] = 12, d.snrDb[0] = 40, d.usedPrn[3] = 12;
        d.prn[1] = 0, d.snrDb[1] = 30;  // an empty slot with a stray SNR
        d.prn[2] = 7, d.snrDb[2] = 20;
    });
    paint();
    EXPECT_NE(text("GPS not activated.   "), nullptr);
    EXPECT_EQ(testing::Find(list, DrawOp::FillRect, {255, 255, 255}).size(), 16u);  // the frames
    EXPECT_EQ(fill(10, 449 - 40), kDarkBlue);  // slot 0 (right edge x = 30): a dark bar 40 pixels high
    // Slot 1 shows "--" whatever its SNR; slot 2, not in the solution, a light bar.
    EXPECT_EQ(text("--")->rect.left, 40);
    EXPECT_EQ(text("30"), nullptr);
    EXPECT_EQ(fill(70, 449 - 20), kLightBlue);
}

TEST_F(GpsStatusViewTest, NoFixShowsTheDashFormsTheReceiversTimeAndTheGauges) {
    state->gps.trackingEnabled = true;
    UpdateGpsFix(state->gps, [](GpsFixData& d) {
        d.fixMode = 1, d.hdop = 0.9;
        d.utcYear = 2007, d.utcMonth = 4, d.utcDay = 8;
        d.utcHour = 9, d.utcMinute = 54, d.utcSecond = 15, d.utcHundredths = 7;
    });
    std::vector<std::string> shown = paint();
    shown.resize(11);  // the chart's labels follow
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "SYS time UTC 2026-12-7  6:05:04", "GPS time UTC 2007-4-8  9:54:15 (07)",
                  "Position not know.", "Sat. in view: --,   sat. in use: --",
                  "Position:", "lat(N):--°,   lon(E):--°   Altitude: --m", "Horisontal precision: --m",
                  "Vertical precision (VDOP): --m", "PDOP: --m", "Speed: --km/h", "SGP89 difference: --m"}));
    // HDOP 0.9: squares 0-2 dark (0, 0.125 and 0.5 lie below it), 3-19 light.
    const int32_t hdopTop = text("Horisontal precision: --m")->rect.top;
    for (int i = 0; i < 20; ++i) EXPECT_EQ(fill(220 + 10 * i, hdopTop + 6), i < 3 ? kDarkBlue : kLightBlue) << i;
    EXPECT_EQ(GaugeDarkSquares(2.0), 4);
}

}  // namespace
}  // namespace vantrek
