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

TEST(Element, DrawsItsShapeInItsOwnColourOrNothingWhenTraced) {
    CRecordingSurface surface;
    Wire(0, 0, 100, 0).Draw(surface, false, DRAW_NORMAL);
    CSource(100, 50, 0, 1, 0).Draw(surface, false, DRAW_NORMAL);
    Wire(0, 0, 100, 0).Draw(surface, false, DRAW_TRACE);
    // The arrowhead sits two thirds along, barbs 10 long opening back at 45 degrees.
    EXPECT_EQ(surface.Lines(), (Lines{{{0, 0}, {100, 0}, kBlack},
                                      {{66, 0}, {59, -7}, kBlack},
                                      {{66, 0}, {59, 7}, kBlack},
                                      {{100, 45}, {100, 55}, kGreen},
                                      {{105, 50}, {95, 50}, kGreen}}));
    EXPECT_EQ(surface.TracedLines(), 8);
    EXPECT_EQ(surface.CurrentPen(), Pen::Solid({1, 2, 3}));
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
        {&diagonal, 0, {{36, 34}, {70, 72}}, {{45, 30}}}, {&down, 0, {{10, 35}, {12, 60}}, {{14, 35}}},
        // Its ends are squares of half-size 10, a source a square of half-size 5.
        {&flat, 1, {{-10, -10}, {9, 9}}, {{10, 0}, {0, 10}}}, {&flat, 2, {{90, -10}}, {{110, 0}}},
        {&point, 2, {{10, 20}}, {{30, 30}}}, {&source, 0, {{95, 45}, {104, 54}}, {{105, 50}, {100, 55}}},
        // The origin and grid points have squares of half-size 15, wherever the element lies.
        {&flat, 3, {{-15, -15}}, {{0, 15}}}, {&source, 4, {{93, 212}}, {{115, 200}}},
    };
    // clang-format on
    for (const auto& [element, test, in, out] : cases) {
        for (const CPoint p : in)
            EXPECT_TRUE(hit(*element, test, p)) << test << ": " << p.x << ", " << p.y;
        for (const CPoint p : out)
            EXPECT_FALSE(hit(*element, test, p)) << test << ": " << p.x << ", " << p.y;
    }
}

TEST(Element, MovingTheStartCarriesTheEndAndDrawsTheElementWhereItLands) {
    CWire flat = Wire(0, 0, 100, 0), slanted = Wire(0, 0, 100, 30);
    CSource source(100, 50, 0, 1, 0);
    // clang-format off
    const std::tuple<CElement*, CPoint, bool, float, float> cases[] = {
        {&flat, {50, 50}, true, 150, 50}, {&slanted, {10, -20}, false, 96.60254f, 30},
        {&source, {10, 10}, true, 15, 5}, {&source, {20, 10}, false, 25, 5}};
    // clang-format on
    for (const auto& [element, to, dragging, endX, endY] : cases) {
        SCOPED_TRACE(endX);
        CRecordingSurface surface;
        element->MoveStartTo(to, surface, dragging);
        EXPECT_EQ(element->GetStartX(), to.x);
        EXPECT_EQ(element->GetStartY(), to.y);
        EXPECT_FLOAT_EQ(element->GetEndX(), endX);
        EXPECT_FLOAT_EQ(element->GetEndY(), endY);
        // Highlighted when dropped, only traced while the drag goes on.
        EXPECT_GT(surface.TracedLines(), 0);
        EXPECT_EQ(surface.Lines().size(), dragging ? 0u : size_t(surface.TracedLines()));
        for (const RecordedLine& line : surface.Lines()) EXPECT_EQ(line.color, kRed);
    }
}

TEST(Element, SetPropertiesRedrawsInThePlainColourAndKeepsTheValues) {
    CWire wire(0, 0, 3, 100, 0.005f, 5, 0);
    CSource source(0, 0, 0, 1, 0);
    CRecordingSurface surface;
    const Pen before = surface.CurrentPen();
    wire.SetProperties(surface, 50, 0.25f, 9, 180);
    source.SetProperties(surface, 3, -90, 77, 88);
    // The wire alone, without its arrowhead, then the source.
    EXPECT_EQ(
        surface.Lines(),
        (Lines{{{0, 0}, {-50, 0}, kBlack}, {{0, -5}, {0, 5}, kGreen}, {{5, 0}, {-5, 0}, kGreen}}));
    EXPECT_EQ(surface.CurrentPen(), before);
    EXPECT_FLOAT_EQ(wire.GetEndX(), -50);
    EXPECT_NEAR(wire.GetEndY(), 0, 1e-9);
    EXPECT_EQ(std::tuple(wire.GetLength(), wire.GetRadius(), wire.GetSegments(), wire.GetAngle(),
                         source.GetMagnitude(), source.GetPhase()),
              std::tuple(50.0f, 0.25f, 9.0f, 180.0f, 3.0f, -90.0f));
}

// A wild coordinate from a deck is clamped, never converted out of range.
TEST(TruncateToInt, TruncatesTowardsZeroAndClampsWildValues) {
    const std::pair<double, int> cases[] = {{-4.7, -4},        {-0.5, 0},       {4.9, 4},
                                            {std::nan(""), 0}, {1e30, INT_MAX}, {-1e30, INT_MIN}};
    for (const auto& [value, expected] : cases) EXPECT_EQ(TruncateToInt(value), expected) << value;
}

}  // namespace
