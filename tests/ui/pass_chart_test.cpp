#include "ui/views/pass_chart.hpp"

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/julian_date.hpp"

#include "../support/sample_view_state.hpp"

using namespace vantrek;
using vantrek::testing::TextStarting;

namespace {

const DrawCommand* findMark(const DisplayList& list, Colour colour) {
    for (const DrawCommand& c : list.commands)
        if (c.op == DrawOp::Ellipse && c.brush.colour == colour && !c.brush.hollow) return &c;
    return nullptr;
}

}  // namespace

// A pass rising due east and setting due south, 63.4 degrees high in the
// south-east, sunlit until it enters the shadow near its end.
TEST(PassChart, MarksTheRiseAndSetWhereTheProjectionPutsThem) {
    PassChartData data;
    PassDetails& pass = data.pass;
    pass.valid = true;
    pass.aos = JulianDateFromCalendar(2024, 3, 20, 21, 29, 33, 0);
    pass.tca = pass.aos + 190.0 / 86400.0;
    pass.los = pass.aos + 371.0 / 86400.0;
    pass.aosAzimuth = 90.0 * kDegree;
    pass.losAzimuth = 180.0 * kDegree;
    pass.tcaAzimuth = 135.0 * kDegree;
    pass.maxElevation = 63.4 * kDegree;
    data.localTimeOffset = 1.0 / 24.0;  // times shown an hour ahead of UTC
    data.track = {{pass.aos, pass.aosAzimuth, 0.0, 2000.0, -6.0, true},
                  {pass.tca, pass.tcaAzimuth, pass.maxElevation, 450.0, 0.0, true},
                  {pass.tca + 60.0 / 86400.0, 160.0 * kDegree, 30.0 * kDegree, 800.0, 5.0, true},
                  {pass.los, pass.losAzimuth, 0.0, 2100.0, 6.5, false}};

    const Rect area{0, 0, 960, 480};
    DisplayList list;
    DrawPassChart(list, data, area);
    const PassChartLayout layout = PassChartLayoutFor(area);
    const Point c = layout.centre;
    const int32_t r = layout.radius;

    // By hand, with north up and east on the left (the sky seen from below):
    // due east on the horizon is the rim's leftmost point, due south its
    // lowest; each mark has its local time beside it.
    const std::tuple<Colour, Point, const char*> marks[] = {{kPassRiseColour, {c.x - r, c.y}, "22:29:33"},
                                                           {kPassSetColour, {c.x, c.y + r}, "22:35:44"}};
    for (const auto& [colour, at, time] : marks) {
        SCOPED_TRACE(time);
        const DrawCommand* mark = findMark(list, colour);
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(mark->rect.left + kPassMarkRadius, at.x);
        EXPECT_EQ(mark->rect.top + kPassMarkRadius, at.y);
        const DrawCommand* label = TextStarting(list, time);
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->rect.top <= at.y && label->rect.bottom >= at.y);
    }
    EXPECT_NE(TextStarting(list, "63.4\u00b0"), nullptr);

    // The track: sunlit from the rise, then in the other colour from where the sunlit part ends to the set.
    std::vector<const DrawCommand*> polar;
    for (const DrawCommand& command : list.commands)
        if (command.op == DrawOp::Polyline && command.pen.width == 2) polar.push_back(&command);
    ASSERT_GE(polar.size(), 2u);
    EXPECT_FALSE(polar[0]->pen.colour == polar[1]->pen.colour);
    EXPECT_EQ(polar[0]->points.front().x, c.x - r);
    EXPECT_EQ(polar[1]->points.front().x, polar[0]->points.back().x);
    EXPECT_EQ(polar[1]->points.back().y, c.y + r);
}
