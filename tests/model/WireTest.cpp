#include <gtest/gtest.h>

#include <cmath>

#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"

namespace {

constexpr PenColor kBlack{0, 0, 0};
constexpr PenColor kRed{255, 0, 0};

CWire MakeWire(float x, float y, float length, float angle, float segments = 5,
               float radius = 0.005f, float z = 0) {
    return CWire(x, y, z, length, radius, segments, angle);
}

TEST(Wire, ConstructorPlacesEndFromLengthAndAngle) {
    const CWire wire = MakeWire(0, -100, 100, 0);
    EXPECT_EQ(wire.GetType(), ELEMENT_WIRE);
    EXPECT_FLOAT_EQ(wire.GetEndX(), 100);
    EXPECT_FLOAT_EQ(wire.GetEndY(), -100);

    // 90 degrees points down the screen; cos 90 with the program's pi is a
    // tiny number that drawing truncates to 0.
    const CWire down = MakeWire(0, 0, 100, 90);
    EXPECT_NE(down.GetEndX(), 0.0f);
    EXPECT_LT(std::fabs(down.GetEndX()), 1e-9f);
    EXPECT_FLOAT_EQ(down.GetEndY(), 100);
    CRecordingSurface surface;
    down.Draw(surface, false, DRAW_NORMAL);
    EXPECT_EQ(surface.Lines().at(0), (RecordedLine{{0, 0}, {0, 100}, kBlack}));

    const CWire raised = MakeWire(1, 2, 10, 30, 5, 0.005f, 7);
    EXPECT_FLOAT_EQ(raised.GetStartZ(), 7);
    EXPECT_FLOAT_EQ(raised.GetEndZ(), 7);
    EXPECT_FLOAT_EQ(raised.GetEndX(),
                    static_cast<float>(1 + 10 * std::cos(30 * 3.14159265359 / 180)));
}

TEST(Wire, CardTextAtManyPositionsOriginsAndSizes) {
    struct Case {
        float x, y, length, angle, segments, radius, z;
        int tag, originX, originY;
        const char* expected;
    };
    const Case cases[] = {
        {0, -100, 100, 0, 5, 0.005f, 0, 1, 0, 0, "GW 1 5. 0. 100. 0. 100. 100. 0. 5.e-003"},
        {15, 5, 10, 0, 12, 0.5f, 0, 2, 10, 20, "GW 2 12. 5. 15. 0. 15. 15. 0. 0.5"},
        {-250, 40, 100, 180, 123456, 1, 0, 17, 0, 0,
         "GW 17 1.2346e+005 -250. -40. 0. -350. -40. 0. 1."},
        {0, 0, 50, 270, 3, 0.001f, 2.5f, 3, 0, 0, "GW 3 3. 0. 0. 2.5 1.55339e-011 50. 2.5 1.e-003"},
        {1e7f, 0, 0, 0, 1, 2e-5f, 0, 4, 0, 0, "GW 4 1. 1.e+007 0. 0. 1.e+007 0. 0. 2.e-005"},
    };
    for (const Case& c : cases) {
        const CWire wire = MakeWire(c.x, c.y, c.length, c.angle, c.segments, c.radius, c.z);
        SCOPED_TRACE(c.expected);
        // The segment argument is ignored for wires.
        EXPECT_EQ(wire.GetCardText(c.tag, 99, c.originX, c.originY), c.expected);
    }
}

TEST(Wire, DrawChoosesPenByHighlightAndModeAndRestoresIt) {
    const CWire wire = MakeWire(0, 0, 100, 0);
    CRecordingSurface surface;
    const Pen before = surface.CurrentPen();

    wire.Draw(surface, false, DRAW_NORMAL);
    ASSERT_EQ(surface.Lines().size(), 3u);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{0, 0}, {100, 0}, kBlack}));
    // Arrowhead two thirds along, barbs 10 long opening back at 45 degrees.
    EXPECT_EQ(surface.Lines()[1], (RecordedLine{{66, 0}, {59, -7}, kBlack}));
    EXPECT_EQ(surface.Lines()[2], (RecordedLine{{66, 0}, {59, 7}, kBlack}));
    EXPECT_EQ(surface.CurrentPen(), before);

    surface.Clear();
    wire.Draw(surface, true, DRAW_NORMAL);
    ASSERT_EQ(surface.Lines().size(), 3u);
    for (const RecordedLine& line : surface.Lines()) EXPECT_EQ(line.color, kRed);

    surface.Clear();
    wire.Draw(surface, true, DRAW_TRACE);
    EXPECT_TRUE(surface.Lines().empty());
    EXPECT_EQ(surface.TracedLines(), 3);
    EXPECT_EQ(surface.CurrentPen(), before);

    surface.Clear();
    wire.Draw(surface, false, DRAW_TRACE);
    EXPECT_TRUE(surface.Lines().empty());
}

TEST(Wire, DrawTruncatesTowardsZero) {
    const CWire wire = MakeWire(-0.5f, -4.7f, 10.4f, 0);
    CRecordingSurface surface;
    wire.Draw(surface, false, DRAW_NORMAL);
    EXPECT_EQ(surface.Lines().at(0).from, (CPoint{0, -4}));
    EXPECT_EQ(surface.Lines().at(0).to, (CPoint{9, -4}));
}

TEST(Wire, HitTestCoversBodyThreeUnitsAroundAndBeyondEnds) {
    const CWire wire = MakeWire(0, 0, 100, 0);
    for (const CPoint p : {CPoint{-3, -3}, CPoint{-3, 2}, CPoint{50, 0}, CPoint{102, 2},
                           CPoint{50, -3}, CPoint{102, -3}}) {
        EXPECT_TRUE(wire.HitTest(p)) << p.x << ", " << p.y;
    }
    for (const CPoint p :
         {CPoint{-4, 0}, CPoint{103, 0}, CPoint{50, 3}, CPoint{50, -4}, CPoint{200, 0}}) {
        EXPECT_FALSE(wire.HitTest(p)) << p.x << ", " << p.y;
    }

    const CWire diagonal = MakeWire(0, 0, 100, 45);
    EXPECT_TRUE(diagonal.HitTest({35, 35}));
    EXPECT_TRUE(diagonal.HitTest({36, 34}));
    EXPECT_FALSE(diagonal.HitTest({35, 45}));
    EXPECT_FALSE(diagonal.HitTest({45, 30}));
    EXPECT_FALSE(diagonal.HitTest({-10, -10}));

    const CWire vertical = MakeWire(10, 10, 50, 90);
    EXPECT_TRUE(vertical.HitTest({10, 35}));
    EXPECT_TRUE(vertical.HitTest({12, 60}));
    EXPECT_FALSE(vertical.HitTest({14, 35}));
}

TEST(Wire, EndSquaresAreTenUnitsAroundEachEnd) {
    const CWire wire = MakeWire(0, 0, 100, 0);
    EXPECT_TRUE(wire.HitStart({-10, -10}));
    EXPECT_TRUE(wire.HitStart({9, 9}));
    EXPECT_FALSE(wire.HitStart({10, 0}));
    EXPECT_FALSE(wire.HitStart({95, 0}));
    EXPECT_TRUE(wire.HitEnd({90, -10}));
    EXPECT_TRUE(wire.HitEnd({109, 9}));
    EXPECT_FALSE(wire.HitEnd({110, 0}));
    EXPECT_FALSE(wire.HitEnd({0, 0}));
}

TEST(Wire, ZeroLengthWireHasNoBodyButKeepsItsEndsAndArrow) {
    const CWire wire = MakeWire(20, 30, 0, 0);
    for (int dx = -5; dx <= 5; ++dx) {
        for (int dy = -5; dy <= 5; ++dy) EXPECT_FALSE(wire.HitTest({20 + dx, 30 + dy}));
    }
    EXPECT_TRUE(wire.HitStart({20, 30}));
    EXPECT_TRUE(wire.HitEnd({20, 30}));
    EXPECT_TRUE(wire.HitEnd({10, 20}));
    EXPECT_FALSE(wire.HitEnd({30, 30}));

    CRecordingSurface surface;
    wire.Draw(surface, false, DRAW_NORMAL);
    ASSERT_EQ(surface.Lines().size(), 3u);
    EXPECT_EQ(surface.Lines()[1].from, (CPoint{20, 30}));
    EXPECT_EQ(surface.Lines()[2].from, (CPoint{20, 30}));
}

TEST(Wire, OriginAndGridTestsIgnoreTheWire) {
    const CWire near = MakeWire(0, 0, 100, 0);
    const CWire far = MakeWire(-900, 700, 3, 123);
    for (const CWire* wire : {&near, &far}) {
        EXPECT_TRUE(wire->HitOrigin({-15, -15}, 0, 0));
        EXPECT_TRUE(wire->HitOrigin({14, 14}, 0, 0));
        EXPECT_FALSE(wire->HitOrigin({15, 0}, 0, 0));
        EXPECT_TRUE(wire->HitGridPoint({93, 212}, 100, 200));
        EXPECT_FALSE(wire->HitGridPoint({150, 150}, 100, 200));
    }
}

TEST(Wire, MoveStartToKeepsOffsetAndTracesWhileDragging) {
    CWire wire = MakeWire(0, 0, 100, 0);
    CRecordingSurface surface;
    wire.MoveStartTo({50, 50}, surface, true);
    EXPECT_FLOAT_EQ(wire.GetStartX(), 50);
    EXPECT_FLOAT_EQ(wire.GetStartY(), 50);
    EXPECT_FLOAT_EQ(wire.GetEndX(), 150);
    EXPECT_FLOAT_EQ(wire.GetEndY(), 50);
    EXPECT_FLOAT_EQ(wire.GetLength(), 100);
    EXPECT_FLOAT_EQ(wire.GetAngle(), 0);
    EXPECT_TRUE(surface.Lines().empty());

    wire.MoveStartTo({-10, 5}, surface, false);
    ASSERT_EQ(surface.Lines().size(), 3u);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{-10, 5}, {90, 5}, kRed}));
}

TEST(Wire, SetPropertiesMovesEndDrawsPlainBlackLineAndStoresValues) {
    CWire wire = MakeWire(0, 0, 100, 0, 5, 0.005f, 3);
    CRecordingSurface surface;
    const Pen before = surface.CurrentPen();
    wire.SetProperties(surface, 50, 0.25f, 9, 180);
    EXPECT_FLOAT_EQ(wire.GetEndX(), -50);
    EXPECT_NEAR(wire.GetEndY(), 0, 1e-9);
    EXPECT_FLOAT_EQ(wire.GetEndZ(), 3);
    EXPECT_FLOAT_EQ(wire.GetLength(), 50);
    EXPECT_FLOAT_EQ(wire.GetRadius(), 0.25f);
    EXPECT_FLOAT_EQ(wire.GetSegments(), 9);
    EXPECT_FLOAT_EQ(wire.GetAngle(), 180);
    ASSERT_EQ(surface.Lines().size(), 1u);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{0, 0}, {-50, 0}, kBlack}));
    EXPECT_EQ(surface.CurrentPen(), before);
}

}  // namespace
