#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>
#include <vector>

#include "model/Geometry.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"

namespace {

constexpr PenColor kBlack{0, 0, 0}, kGreen{0, 255, 0}, kRed{255, 0, 0};
using Lines = std::vector<RecordedLine>;
using Points = std::vector<CPoint>;

CWire Wire(float x, float y, float length, float angle) { return {x, y, 0, length, 1, 5, angle}; }

// Drawn in its own colour, highlighted in red, or traced with a null pen that
// leaves nothing to see; a new start carries the end along, new properties
// redraw the element plainly, and the pen in use before comes back each time.
TEST(Element, DrawsWhereItIsInThePenOfTheMoment) {
    CWire wire = Wire(0, 0, 100, 0), slanted = Wire(5, 5, 100, 30);
    CSource source(100, 50, 3, 1, 0);
    CRecordingSurface surface;
    wire.Draw(surface, false, DRAW_NORMAL);
    source.Draw(surface, false, DRAW_NORMAL);
    wire.Draw(surface, true, DRAW_TRACE);
    slanted.MoveStartTo({10, -20}, surface, false);
    source.MoveStartTo({10, 10}, surface, true);
    wire.SetProperties(surface, 50, 0.25f, 9, 180);
    source.SetProperties(surface, 3, -90, 77, 88);
    // The arrowhead sits two thirds along, barbs 10 long opening back at 45 degrees.
    // clang-format off
    EXPECT_EQ(surface.Lines(), (Lines{
        {{0, 0}, {100, 0}, kBlack}, {{66, 0}, {59, -7}, kBlack}, {{66, 0}, {59, 7}, kBlack},
        {{100, 45}, {100, 55}, kGreen}, {{105, 50}, {95, 50}, kGreen},
        {{10, -20}, {96, 30}, kRed}, {{67, 13}, {65, 3}, kRed}, {{67, 13}, {58, 15}, kRed},
        {{0, 0}, {-50, 0}, kBlack}, {{10, 5}, {10, 15}, kGreen}, {{15, 10}, {5, 10}, kGreen}}));
    // clang-format on
    EXPECT_EQ(surface.TracedLines(), 16);
    EXPECT_EQ(surface.CurrentPen(), Pen::Solid({1, 2, 3}));
    EXPECT_EQ(std::tuple(wire.GetLength(), wire.GetRadius(), wire.GetSegments(), wire.GetAngle(),
                         wire.GetEndX(), source.GetMagnitude(), source.GetPhase(), source.GetEndX(),
                         source.GetEndY(), source.GetZ()),
              std::tuple(50.0f, 0.25f, 9.0f, 180.0f, -50.0f, 3.0f, -90.0f, 15.0f, 5.0f, 3.0f));
}

TEST(Element, HitTestsKeepLeftAndTopEdgesAndDropRightAndBottom) {
    const CWire flat = Wire(0, 0, 100, 0), diagonal = Wire(0, 0, 100, 45);
    const CWire down = Wire(10, 10, 50, 90), point = Wire(20, 30, 0, 0);
    const CSource source(100, 50, 0, 1, 0);
    // The body, start, end, origin (0, 0) and grid point (100, 200) tests.
    const auto hit = [](const CElement& e, int test, CPoint p) {
        const bool hits[] = {e.HitTest(p), e.HitStart(p), e.HitEnd(p), e.HitOrigin(p, 0, 0),
                             e.HitGridPoint(p, 100, 200)};
        return hits[test];
    };
    // clang-format off
    const std::tuple<const CElement*, int, Points, Points> cases[] = {
        // A wire's body reaches 3 units around it and beyond its ends; a point has none.
        {&flat, 0, {{-3, -3}, {-3, 2}}, {{103, 0}, {50, 3}}}, {&point, 0, {}, {{20, 30}}},
        {&diagonal, 0, {{36, 34}, {70, 72}, {-3, 0}}, {{45, 30}}}, {&down, 0, {{10, 35}, {12, 60}}, {{14, 35}}},
        // Its ends are squares of half-size 10, a source a square of half-size 5.
        {&flat, 1, {{-10, -10}, {9, 9}}, {{10, 0}, {0, 10}}}, {&flat, 2, {{90, -10}}, {{110, 0}}},
        {&point, 2, {{10, 20}}, {{30, 30}}}, {&source, 0, {{95, 45}, {104, 54}}, {{105, 50}, {100, 55}}},
        // The origin and grid points have squares of half-size 15, wherever the element lies.
        {&flat, 3, {{-15, -15}}, {{0, 15}}}, {&source, 4, {{93, 212}}, {{115, 200}}},
    };
    // clang-format on
    for (const auto& [element, test, in, out] : cases) {
        for (const auto& [points, inside] : {std::pair{in, true}, {out, false}})
            for (const CPoint p : points)
                EXPECT_EQ(hit(*element, test, p), inside) << test << ": " << p.x << ", " << p.y;
    }
}

// A wild coordinate from a deck is clamped, never converted out of range.
TEST(TruncateToInt, TruncatesTowardsZeroAndClampsWildValues) {
    const std::pair<double, int> cases[] = {{-4.7, -4},        {-0.5, 0},       {4.9, 4},
                                            {std::nan(""), 0}, {1e30, INT_MAX}, {-1e30, INT_MIN}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(TruncateToInt(value), expected) << value;
}

}  // namespace
