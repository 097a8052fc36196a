#include "ui/pixel_line.hpp"

#include <climits>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

std::vector<Point> pixels(Point from, Point to) {
    DisplayList list;
    PixelLine(list, from, to, {1, 2, 3});
    return list.commands.empty() ? std::vector<Point>{} : list.commands.at(0).points;
}

}  // namespace

TEST(PixelLine, StepsTowardsTheEndWithoutSettingIt) {
    const std::vector<Point> line = pixels({10, 10}, {14, 12});
    ASSERT_EQ(line.size(), 4u);
    const int ys[] = {10, 10, 11, 11};  // 10 + trunc(i * 2 / 4)
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(line[i].x == 10 + i && line[i].y == ys[i]) << i;
    EXPECT_EQ(pixels({14, 12}, {10, 10})[1].y, 12);  // 12 + trunc(-2 / 4): towards zero
    EXPECT_TRUE(pixels({5, 5}, {5, 5}).empty());
}

TEST(PixelLine, OnlyVisiblePixelsOfAFarLineAreEmitted) {
    const std::vector<Point> far = pixels({-1000000, 450}, {100, 450});
    ASSERT_EQ(far.size(), 100u);
    EXPECT_EQ(far.front().x, 0);
    EXPECT_EQ(far.back().x, 99);

    const std::vector<Point> diagonal = pixels({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
    EXPECT_FALSE(diagonal.empty());
    for (const Point& p : diagonal) EXPECT_TRUE(p.x >= 0 && p.x < kSurfaceWidth && p.y >= 0 && p.y < kSurfaceHeight);
    EXPECT_TRUE(pixels({-50, -50}, {-10, 5000}).empty());
}
