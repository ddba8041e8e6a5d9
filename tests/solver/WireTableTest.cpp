#include <gtest/gtest.h>

#include <cmath>

#include "solver/WireTable.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<DeckCard> Cards(const std::string& deck) {
    const DeckReadResult result = ReadDeck(deck);
    EXPECT_TRUE(result.ok) << result.errorText;
    return result.cards;
}

double Round4(double value) { return std::round(value * 1e4) / 1e4; }

// The segments of a straight wire as nec2c prints them: four decimals.
std::vector<SegmentRecord> SegmentsOf(double x1, double y1, double z1, double x2, double y2,
                                      double z2, int count, long tag) {
    const double length = std::hypot(x2 - x1, y2 - y1, z2 - z1);
    std::vector<SegmentRecord> segments;
    for (int i = 0; i < count; ++i) {
        const double t = (i + 0.5) / count;
        SegmentRecord s;
        s.x = Round4(x1 + t * (x2 - x1));
        s.y = Round4(y1 + t * (y2 - y1));
        s.z = Round4(z1 + t * (z2 - z1));
        s.length = Round4(length / count);
        s.alpha = Round4(std::asin((z2 - z1) / length) * 180 / kPi);
        s.beta = Round4(std::atan2(y2 - y1, x2 - x1) * 180 / kPi);
        s.radius = 0.001;
        s.tag = tag;
        segments.push_back(s);
    }
    return segments;
}

void Append(std::vector<SegmentRecord>& to, const std::vector<SegmentRecord>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

void ExpectEnds(const WireRow& row, std::array<double, 6> ends, double tolerance = 0) {
    const double got[6] = {row.x1, row.y1, row.z1, row.x2, row.y2, row.z2};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], ends[i], tolerance) << "coordinate " << i;
}

TEST(WireTableTest, GwWiresAreTakenAsWrittenAndScaledByLaterGsCards) {
    const auto structures =
        Cards("CE\nGW 1 5 0 0 0 0 0 20 .04\nGS 0 0 .0254\nGW 2 3 1 2 3 4 5 6.5 .001\nGE\nEN\n");
    const auto wires = ExactWiresOfStructures(structures);
    ASSERT_EQ(wires.size(), 1u);
    ASSERT_EQ(wires[0].size(), 2u);
    ExpectEnds(wires[0][0], {0, 0, 0, 0, 0, 20 * 0.0254});
    EXPECT_DOUBLE_EQ(wires[0][0].radius, 0.04 * 0.0254);
    EXPECT_EQ(wires[0][0].segments, 5);
    EXPECT_EQ(wires[0][0].tag, 1);
    ExpectEnds(wires[0][1], {1, 2, 3, 4, 5, 6.5});
    EXPECT_EQ(wires[0][1].tag, 2);
}

TEST(WireTableTest, MovedOrReplacedWiresAreNotExact) {
    // A move without copies shifts the wires before it; copies leave them.
    auto wires = ExactWiresOfStructures(
        Cards("CE\nGW 1 5 0 0 0 0 0 1 .001\nGM 0 0 0 0 0 1 0 0 1\nGW 2 5 0 0 0 1 0 0 .001\nGE\n"));
    ASSERT_EQ(wires[0].size(), 1u);
    EXPECT_EQ(wires[0][0].tag, 2);

    wires = ExactWiresOfStructures(
        Cards("CE\nGW 1 5 0 0 0 0 0 1 .001\nGM 10 2 0 0 0 1 0 0 1\nGX 100 010\nGE\n"));
    ASSERT_EQ(wires[0].size(), 1u);
    EXPECT_EQ(wires[0][0].tag, 1);

    wires = ExactWiresOfStructures(Cards("CE\nGW 1 5 0 0 0 0 0 1 .001\nGF 0\nGE\n"));
    EXPECT_TRUE(wires[0].empty());
}

TEST(WireTableTest, TaperedWireTakesItsRadiusFromGc) {
    const auto wires =
        ExactWiresOfStructures(Cards("CE\nGW 1 5 0 0 0 0 0 1 0\nGC 0 0 1.1 .002 .004\nGE\n"));
    ASSERT_EQ(wires[0].size(), 1u);
    EXPECT_DOUBLE_EQ(wires[0][0].radius, 0.002);
}

TEST(WireTableTest, EachStructureAfterNxHasItsOwnWires) {
    const auto wires = ExactWiresOfStructures(
        Cards("CE\nGW 1 5 0 0 0 0 0 1 .001\nGE\nXQ\nNX\nCE\nGW 7 3 0 0 0 1 0 0 .001\n"
              "GW 8 3 0 0 1 1 0 1 .001\nGE\nXQ\nEN\n"));
    ASSERT_EQ(wires.size(), 2u);
    EXPECT_EQ(wires[0].size(), 1u);
    ASSERT_EQ(wires[1].size(), 2u);
    EXPECT_EQ(wires[1][1].tag, 8);
}

TEST(WireTableTest, ConfirmedWireGivesOneRowWithTheDecksNumbers) {
    const WireRow wire{0.1234567, -2.5, 0, 1.7654321, 3.25, 0.5, 0.001, 7, 1};
    const auto segments = SegmentsOf(0.1234567, -2.5, 0, 1.7654321, 3.25, 0.5, 7, 1);
    const auto rows = BuildWireRows({wire}, segments);
    ASSERT_EQ(rows.size(), 1u);
    ExpectEnds(rows[0], {0.1234567, -2.5, 0, 1.7654321, 3.25, 0.5});
    EXPECT_EQ(rows[0].segments, 7);
}

TEST(WireTableTest, OtherSegmentsAppearOneByOneInNec2cOrder) {
    // An arc-like run of tag 3 between two confirmed wires, and a copy of
    // wire 1 at tag 11 that the deck does not list.
    std::vector<SegmentRecord> segments = SegmentsOf(0, 0, 0, 0, 0, 1, 4, 1);
    Append(segments, SegmentsOf(1, 0, 0, 1.5, 0.5, 0, 1, 3));
    Append(segments, SegmentsOf(1.5, 0.5, 0, 1.5, 1.5, 0.25, 1, 3));
    Append(segments, SegmentsOf(2, 0, 0, 3, 0, 0, 2, 2));
    Append(segments, SegmentsOf(5, 0, 0, 5, 0, 1, 4, 11));
    const std::vector<WireRow> exact = {{0, 0, 0, 0, 0, 1, 0.001, 4, 1},
                                        {2, 0, 0, 3, 0, 0, 0.001, 2, 2}};
    const auto rows = BuildWireRows(exact, segments);
    ASSERT_EQ(rows.size(), 8u);
    ExpectEnds(rows[0], {0, 0, 0, 0, 0, 1});
    ExpectEnds(rows[1], {1, 0, 0, 1.5, 0.5, 0}, 2e-4);
    EXPECT_EQ(rows[1].tag, 3);
    EXPECT_EQ(rows[1].segments, 1);
    ExpectEnds(rows[2], {1.5, 0.5, 0, 1.5, 1.5, 0.25}, 2e-4);
    ExpectEnds(rows[3], {2, 0, 0, 3, 0, 0});
    for (int i = 0; i < 4; ++i) {
        ExpectEnds(rows[4 + i], {5, 0, 0.25 * i, 5, 0, 0.25 * (i + 1)}, 2e-4);
        EXPECT_EQ(rows[4 + i].tag, 11);
    }
}

TEST(WireTableTest, WireThatNec2cDoesNotConfirmIsShownAsItsSegments) {
    // The deck's wire and nec2c's disagree by 1 mm at one end, or in tag, or
    // in segment count: nec2c's segments are what was computed.
    const WireRow wire{0, 0, 0, 1, 0, 0, 0.001, 4, 1};
    for (const auto& segments :
         {SegmentsOf(0, 0, 0, 1.001, 0, 0, 4, 1), SegmentsOf(0, 0, 0, 1, 0, 0, 4, 2),
          SegmentsOf(0, 0, 0, 1, 0, 0, 3, 1)}) {
        const auto rows = BuildWireRows({wire}, segments);
        ASSERT_EQ(rows.size(), segments.size());
        EXPECT_EQ(rows[0].segments, 1);
    }
}

TEST(WireTableTest, RebuiltEndsCarryNoTrigonometricDust) {
    SegmentRecord segment;
    segment.x = 0.5;
    segment.length = 1;
    segment.beta = 180;
    const auto rows = BuildWireRows({}, {segment});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].y1, 0.0);
    EXPECT_FALSE(std::signbit(rows[0].y2));
    ExpectEnds(rows[0], {1, 0, 0, 0, 0, 0});
}

}  // namespace
