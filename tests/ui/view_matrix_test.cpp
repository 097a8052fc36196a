#include "ui/view_matrix.hpp"

#include <cmath>

#include <gtest/gtest.h>

#include "astro/constants.hpp"
#include "astro/projections.hpp"

using namespace vantrek;

constexpr double kS3 = 0.0523359562;  // sin and cos of 3 degrees
constexpr double kC3 = 0.9986295347;

TEST(ViewMatrix, DragRotateTurnsByThreeDegreesHorizontallyThenVertically) {
    ViewMatrix v;
    MousePoint reference{0, 0};
    DragRotate(v, reference, {-5, 5});  // x shrank, y grew: the vertical step uses the new row 2
    EXPECT_DOUBLE_EQ(v.m[0][2], -kS3);
    EXPECT_DOUBLE_EQ(v.m[1][0], -kS3 * kS3);
    EXPECT_DOUBLE_EQ(v.m[2][2], kC3 * kC3);
    DragRotate(v, reference, {-5, 5});  // no movement from the point kept
    EXPECT_DOUBLE_EQ(v.m[0][2], -kS3);
}

TEST(ViewMatrix, ZoomStaysWithinItsBoundsAndRollTouchesOnlyTheChart) {
    ViewMatrix v;
    for (int i = 0; i < 200; ++i) ZoomIn(v);
    EXPECT_EQ(v.m[3][3], 10000.0);
    for (int i = 0; i < 400; ++i) ZoomOut(v);
    EXPECT_EQ(v.m[3][3], 1e-7);

    v.m[0][2] = 5.0;
    RollRight(v);
    EXPECT_DOUBLE_EQ(v.m[0][1], -kS3);
    EXPECT_EQ(v.m[0][2], 5.0);
    RollLeft(v);
    EXPECT_NEAR(v.m[0][1], 0.0, 1e-9);
}

// The course points straight up on the chart of either north-south setting.
TEST(ViewMatrix, CompassHeadingPutsTheCourseUpAndIgnoresNaN) {
    for (int32_t snToNs : {0, 1}) {
        for (double course : {0.0, 30.0, 90.0, 200.0}) {
            ViewMatrix v;
            v.m[3][3] = 3.0;
            SetCompassHeading(v, course, snToNs);
            EXPECT_EQ(v.m[3][3], 1.0);
            LookAngles look;
            look.azimuth = course * kDegree;
            look.elevation = 0.5;
            PixelPoint p, east;
            ASSERT_TRUE(SkyChartPixel({v.m[0][0], v.m[0][1]}, {v.m[1][0], v.m[1][1]}, look, 100, 100, snToNs, p));
            EXPECT_NEAR(p.x, 100, 1) << snToNs << " " << course;
            EXPECT_LT(p.y, 50) << snToNs << " " << course;
            // A quarter turn clockwise of the course (looking up): on the left.
            look.azimuth = (course + 90.0) * kDegree;
            ASSERT_TRUE(SkyChartPixel({v.m[0][0], v.m[0][1]}, {v.m[1][0], v.m[1][1]}, look, 100, 100, snToNs, east));
            EXPECT_LT(east.x, 50) << snToNs << " " << course;
            SetCompassHeading(v, std::nan(""), snToNs);
            EXPECT_FALSE(std::isnan(v.m[0][0]));
        }
    }
}
