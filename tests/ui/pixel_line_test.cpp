#include "ui/pixel_line.hpp"

#include <climits>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

std::vector<Point> pixels(Point from, Point to) {
    DisplayList list;
    PixelLine(list, from, to, {1, 2, 3});
    if (list.commands.empty()) return {};
    EXPECT_EQ(list.commands.size(), 1u);
    EXPECT_EQ(list.commands[0].op, DrawOp::SetPixels);
    EXPECT_EQ(list.commands[0].colour, (Colour{1, 2, 3}));
    return list.commands[0].points;
}

}  // namespace

TEST(PixelLine, StepsTowardsTheEndWithoutSettingIt) {
    const std::vector<Point> line = pixels({10, 10}, {14, 12});
    ASSERT_EQ(line.size(), 4u);
    const int ys[] = {10, 10, 11, 11};  // 10 + trunc(i * 2 / 4)
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(line[i].x, 10 + i);
        EXPECT_EQ(line[i].y, ys[i]);
    }
    const std::vector<Point> back = pixels({14, 12}, {10, 10});
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[1].y, 12);  // 12 + trunc(-2 / 4) = 12: truncation towards zero
    EXPECT_EQ(back[3].x, 11);
}

TEST(PixelLine, ZeroLengthSetsNothing) { EXPECT_TRUE(pixels({5, 5}, {5, 5}).empty()); }

TEST(PixelLine, OnlyVisiblePixelsOfAFarLineAreEmitted) {
    // A line from far off the surface: only the visible stretch, the same pixels the
    // full walk would give there.
    const std::vector<Point> far = pixels({-1000000, 450}, {100, 450});
    ASSERT_EQ(far.size(), 100u);
    EXPECT_EQ(far.front().x, 0);
    EXPECT_EQ(far.back().x, 99);

    const std::vector<Point> diagonal = pixels({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
    for (const Point& p : diagonal) {
        EXPECT_GE(p.x, 0);
        EXPECT_LT(p.x, kSurfaceWidth);
        EXPECT_GE(p.y, 0);
        EXPECT_LT(p.y, kSurfaceHeight);
    }
    EXPECT_FALSE(diagonal.empty());
    EXPECT_TRUE(pixels({-50, -50}, {-10, 5000}).empty());
}
