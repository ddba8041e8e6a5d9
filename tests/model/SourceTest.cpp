#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/Source.h"
#include "tests/support/RecordingSurface.h"

namespace {

constexpr PenColor kGreen{0, 255, 0};
constexpr PenColor kRed{255, 0, 0};

// The real and imaginary fields of an EX card.
std::pair<double, double> VoltageOnCard(const std::string& card) {
    double re = 0, im = 0;
    int type = 0, tag = 0, segment = 0;
    char flags[3] = {};
    EXPECT_EQ(std::sscanf(card.c_str(), "EX %d %d %d %2s %lf %lf", &type, &tag, &segment, flags,
                          &re, &im),
              6);
    return {re, im};
}

TEST(Source, DrawsAPlusOfFiveUnitArms) {
    const CSource source(100, 50, 0, 1, 0);
    EXPECT_EQ(source.GetType(), ELEMENT_SOURCE);
    CRecordingSurface surface;
    const Pen before = surface.CurrentPen();
    source.Draw(surface, false, DRAW_NORMAL);
    ASSERT_EQ(surface.Lines().size(), 2u);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{100, 45}, {100, 55}, kGreen}));
    EXPECT_EQ(surface.Lines()[1], (RecordedLine{{105, 50}, {95, 50}, kGreen}));
    EXPECT_EQ(surface.CurrentPen(), before);

    surface.Clear();
    source.Draw(surface, true, DRAW_NORMAL);
    EXPECT_EQ(surface.Lines().at(0).color, kRed);
    surface.Clear();
    source.Draw(surface, true, DRAW_TRACE);
    EXPECT_TRUE(surface.Lines().empty());
}

TEST(Source, CardTextCarriesTagSegmentAndVoltage) {
    EXPECT_EQ(CSource(100, 50, 0, 1, 0).GetCardText(1, 5, 0, 0), "EX 0 1 5 00 1. 0. 0 0 0 0");
    EXPECT_EQ(CSource(0, 0, 0, 0, 0).GetCardText(3, 1, 0, 0), "EX 0 3 1 00 0. 0. 0 0 0 0");
    // The origin does not enter an EX card.
    EXPECT_EQ(CSource(7, 8, 0, 2.5f, 0).GetCardText(12, 40, 300, -20),
              "EX 0 12 40 00 2.5 0. 0 0 0 0");
    EXPECT_EQ(CSource(0, 0, 0, 1e-3f, 0).GetCardText(1, 1, 0, 0), "EX 0 1 1 00 1.e-003 0. 0 0 0 0");

    const auto [re180, im180] = VoltageOnCard(CSource(0, 0, 0, 2, 180).GetCardText(1, 1, 0, 0));
    EXPECT_EQ(re180, -2.0);
    EXPECT_LT(std::fabs(im180), 1e-12);
    EXPECT_EQ(CSource(0, 0, 0, 2, 180).GetCardText(1, 1, 0, 0).substr(0, 15), "EX 0 1 1 00 -2.");

    const auto [re90, im90] = VoltageOnCard(CSource(0, 0, 0, 1, 90).GetCardText(1, 1, 0, 0));
    EXPECT_LT(std::fabs(re90), 1e-12);
    EXPECT_EQ(im90, 1.0);

    const auto [re45, im45] = VoltageOnCard(CSource(0, 0, 0, 10, -45).GetCardText(1, 1, 0, 0));
    EXPECT_NEAR(re45, 7.07107, 1e-9);
    EXPECT_NEAR(im45, -7.07107, 1e-9);
}

TEST(Source, AllThreeHitTestsUseItsTenUnitSquare) {
    const CSource source(100, 50, 0, 1, 0);
    for (const CPoint p : {CPoint{95, 45}, CPoint{104, 54}, CPoint{100, 50}}) {
        EXPECT_TRUE(source.HitTest(p));
        EXPECT_TRUE(source.HitStart(p));
        EXPECT_TRUE(source.HitEnd(p));
    }
    for (const CPoint p : {CPoint{105, 50}, CPoint{100, 55}, CPoint{94, 50}, CPoint{100, 44}}) {
        EXPECT_FALSE(source.HitTest(p));
        EXPECT_FALSE(source.HitStart(p));
        EXPECT_FALSE(source.HitEnd(p));
    }
    EXPECT_TRUE(source.HitOrigin({-15, -15}, 0, 0));
    EXPECT_FALSE(source.HitOrigin({15, 0}, 0, 0));
}

TEST(Source, MoveStartToMovesCentreAndArmTips) {
    CSource source(100, 50, 3, 1, 0);
    CRecordingSurface surface;
    source.MoveStartTo({0, 0}, surface, true);
    EXPECT_FLOAT_EQ(source.GetStartX(), 0);
    EXPECT_FLOAT_EQ(source.GetStartY(), 0);
    EXPECT_FLOAT_EQ(source.GetEndX(), 5);
    EXPECT_FLOAT_EQ(source.GetEndY(), -5);
    EXPECT_FLOAT_EQ(source.GetZ(), 3);
    EXPECT_TRUE(surface.Lines().empty());
    EXPECT_TRUE(source.HitTest({-5, -5}));
    EXPECT_FALSE(source.HitTest({5, 0}));

    source.MoveStartTo({10, 10}, surface, false);
    ASSERT_EQ(surface.Lines().size(), 2u);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{10, 5}, {10, 15}, kRed}));
}

TEST(Source, SetPropertiesDrawsGreenAndStoresMagnitudeAndPhase) {
    CSource source(0, 0, 0, 1, 0);
    CRecordingSurface surface;
    source.SetProperties(surface, 3, -90, 77, 88);
    EXPECT_FLOAT_EQ(source.GetMagnitude(), 3);
    EXPECT_FLOAT_EQ(source.GetPhase(), -90);
    EXPECT_FLOAT_EQ(source.GetLength(), 0);
    EXPECT_FLOAT_EQ(source.GetAngle(), 0);
    ASSERT_EQ(surface.Lines().size(), 2u);
    EXPECT_EQ(surface.Lines()[0].color, kGreen);
}

}  // namespace
