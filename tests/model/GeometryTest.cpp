#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Geometry.h"

namespace {

TEST(TruncateToInt, TruncatesTowardsZeroAndClampsWildValues) {
    EXPECT_EQ(TruncateToInt(-4.7), -4);
    EXPECT_EQ(TruncateToInt(-0.5), 0);
    EXPECT_EQ(TruncateToInt(4.9), 4);
    EXPECT_EQ(TruncateToInt(86.6025), 86);
    EXPECT_EQ(TruncateToInt(std::nan("")), 0);
    EXPECT_EQ(TruncateToInt(1e30), std::numeric_limits<int>::max());
    EXPECT_EQ(TruncateToInt(-1e30), std::numeric_limits<int>::min());
}

TEST(SquareHitTest, KeepsLeftAndTopEdgesAndDropsRightAndBottom) {
    struct Case {
        CPoint point;
        bool inside;
    };
    // Half-size 15 around the origin: left/top -15, right/bottom 15.
    const Case cases[] = {
        {{-15, -15}, true}, {{14, 14}, true},  {{0, 0}, true},     {{15, 0}, false},
        {{0, 15}, false},   {{-16, 0}, false}, {{0, -16}, false},  {{14, -15}, true},
        {{-15, 14}, true},  {{15, 15}, false}, {{-15, 15}, false}, {{15, -15}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.point.x << ", " << c.point.y << ")");
        EXPECT_EQ(SquareHitTest(c.point, 0.0f, 0.0f, 15.0f), c.inside);
    }
}

TEST(SquareHitTest, TruncatedCornersShiftTowardsZero) {
    // Around (-0.5, -0.5) with half-size 10 the corners -10.5 and 9.5 become
    // -10 and 9.
    EXPECT_FALSE(SquareHitTest({-11, 0}, -0.5f, -0.5f, 10.0f));
    EXPECT_TRUE(SquareHitTest({-10, -10}, -0.5f, -0.5f, 10.0f));
    EXPECT_TRUE(SquareHitTest({8, 8}, -0.5f, -0.5f, 10.0f));
    EXPECT_FALSE(SquareHitTest({9, 0}, -0.5f, -0.5f, 10.0f));
}

TEST(QuadrilateralHitTest, UprightRectangleHasRectangleEdges) {
    const std::array<CPoint, 4> body{{{-3, -3}, {-3, 3}, {103, 3}, {103, -3}}};
    EXPECT_TRUE(QuadrilateralHitTest({-3, -3}, body));
    EXPECT_TRUE(QuadrilateralHitTest({50, 0}, body));
    EXPECT_TRUE(QuadrilateralHitTest({102, 2}, body));
    EXPECT_TRUE(QuadrilateralHitTest({50, -3}, body));
    EXPECT_FALSE(QuadrilateralHitTest({103, 0}, body));
    EXPECT_FALSE(QuadrilateralHitTest({50, 3}, body));
    EXPECT_FALSE(QuadrilateralHitTest({-4, 0}, body));
    EXPECT_FALSE(QuadrilateralHitTest({50, -4}, body));
}

TEST(QuadrilateralHitTest, SlantedShapeSeparatesInteriorFromExterior) {
    // A diamond around (0, 0) reaching 10 along each axis.
    const std::array<CPoint, 4> diamond{{{0, -10}, {10, 0}, {0, 10}, {-10, 0}}};
    EXPECT_TRUE(QuadrilateralHitTest({0, 0}, diamond));
    EXPECT_TRUE(QuadrilateralHitTest({4, 4}, diamond));
    EXPECT_TRUE(QuadrilateralHitTest({-4, -4}, diamond));
    EXPECT_FALSE(QuadrilateralHitTest({6, 6}, diamond));
    EXPECT_FALSE(QuadrilateralHitTest({-6, 6}, diamond));
    EXPECT_FALSE(QuadrilateralHitTest({20, 0}, diamond));
    // A degenerate shape with no area holds no point.
    const std::array<CPoint, 4> flat{{{0, 0}, {0, 0}, {0, 0}, {0, 0}}};
    EXPECT_FALSE(QuadrilateralHitTest({0, 0}, flat));
}

}  // namespace
