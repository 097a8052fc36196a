#include "ui/view_matrix.hpp"

#include <cmath>

#include <gtest/gtest.h>

using namespace vantrek;

namespace {

constexpr double kS3 = 0.0523359562;
constexpr double kC3 = 0.9986295347;

bool isIdentity(const ViewMatrix& v) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (v.m[r][c] != (r == c ? 1.0 : 0.0)) return false;
    return true;
}

}  // namespace

TEST(ViewMatrix, StartsAndResetsToIdentity) {
    ViewMatrix v;
    EXPECT_TRUE(isIdentity(v));
    ZoomIn(v);
    RollLeft(v);
    ResetViewMatrix(v);
    EXPECT_TRUE(isIdentity(v));
}

TEST(ViewMatrix, DragRotateTurnsRowsByThreeDegreesAndMovesTheReference) {
    ViewMatrix v;
    MousePoint reference{10, 10};
    DragRotate(v, reference, {20, 10});  // x grew, y equal
    EXPECT_DOUBLE_EQ(v.m[0][0], kC3);
    EXPECT_DOUBLE_EQ(v.m[0][2], kS3);
    EXPECT_DOUBLE_EQ(v.m[2][0], -kS3);
    EXPECT_DOUBLE_EQ(v.m[2][2], kC3);
    EXPECT_DOUBLE_EQ(v.m[1][1], 1.0);
    EXPECT_EQ(reference.x, 20);
    EXPECT_EQ(reference.y, 10);

    ViewMatrix w;
    MousePoint start{0, 0};
    DragRotate(w, start, {-5, 5});  // x shrank, y grew: vertical step uses row 2 after the horizontal
    EXPECT_DOUBLE_EQ(w.m[0][2], -kS3);
    EXPECT_DOUBLE_EQ(w.m[1][0], -kS3 * kS3);   // c'*0 - s'*row2[0] with row2[0] = s3
    EXPECT_DOUBLE_EQ(w.m[1][1], kC3);
    EXPECT_DOUBLE_EQ(w.m[2][1], kS3);
    EXPECT_DOUBLE_EQ(w.m[2][2], kC3 * kC3);

    ViewMatrix still;
    MousePoint same{7, 7};
    DragRotate(still, same, {7, 7});
    EXPECT_TRUE(isIdentity(still));
}

TEST(ViewMatrix, ZoomStaysWithinItsBounds) {
    ViewMatrix v;
    ZoomIn(v);
    EXPECT_DOUBLE_EQ(v.m[3][3], 1.1);
    ZoomOut(v);
    EXPECT_NEAR(v.m[3][3], 1.0, 1e-15);
    for (int i = 0; i < 200; ++i) ZoomIn(v);
    EXPECT_EQ(v.m[3][3], 10000.0);
    for (int i = 0; i < 400; ++i) ZoomOut(v);
    EXPECT_EQ(v.m[3][3], 1e-7);
}

TEST(ViewMatrix, RollTouchesOnlyTheChartBlock) {
    ViewMatrix v;
    v.m[0][2] = 5.0;
    RollRight(v);
    EXPECT_DOUBLE_EQ(v.m[0][0], kC3);
    EXPECT_DOUBLE_EQ(v.m[0][1], -kS3);
    EXPECT_DOUBLE_EQ(v.m[1][0], kS3);
    EXPECT_DOUBLE_EQ(v.m[1][1], kC3);
    EXPECT_EQ(v.m[0][2], 5.0);
    RollLeft(v);
    EXPECT_NEAR(v.m[0][0], 1.0, 1e-9);
    EXPECT_NEAR(v.m[0][1], 0.0, 1e-9);
}

TEST(ViewMatrix, CompassHeadingTurnsTheChart) {
    ViewMatrix v;
    v.m[3][3] = 3.0;
    v.m[2][0] = 0.5;
    SetCompassHeading(v, 90.0);
    EXPECT_NEAR(v.m[0][0], 0.0, 1e-12);
    EXPECT_NEAR(v.m[0][1], 1.0, 1e-12);
    EXPECT_NEAR(v.m[1][0], -1.0, 1e-12);
    EXPECT_NEAR(v.m[1][1], 0.0, 1e-12);
    EXPECT_EQ(v.m[2][2], 1.0);
    EXPECT_EQ(v.m[3][3], 1.0);
    EXPECT_EQ(v.m[2][0], 0.0);

    ViewMatrix kept = v;
    SetCompassHeading(v, std::nan(""));
    EXPECT_EQ(v.m[0][1], kept.m[0][1]);
}
