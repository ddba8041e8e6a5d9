#include <gtest/gtest.h>

#include <cstdio>

#include "solver/WireTable.h"

namespace {

// Rows as "tag/segments radius: X1 Y1 Z1 > X2 Y2 Z2", to seven digits.
std::string Text(const std::vector<WireRow>& rows) {
    std::string text;
    for (const WireRow& w : rows) {
        char row[200];
        std::snprintf(row, sizeof row, "%s%ld/%ld %.7g: %.7g %.7g %.7g > %.7g %.7g %.7g",
                      text.empty() ? "" : "; ", w.tag, w.segments, w.radius, w.x1, w.y1, w.z1, w.x2,
                      w.y2, w.z2);
        text += row;
    }
    return text;
}

TEST(WireTableTest, StructuresKeepTheirGwWiresUnlessMovedOrReplaced) {
    const std::pair<std::string, std::string> cases[] = {
        // A move without copies moves the wires before it.
        {"GW 1 5 0 0 0 0 0 1 .001\nGM 0 0 0 0 0 1 0 0 1\nGW 2 5 0 0 0 1 0 0 .001\nGE\n",
         "2/5 0.001: 0 0 0 > 1 0 0"},
        {"GW 1 5 0 0 0 0 0 1 .001\nGF 0\nGE\n", ""},
        // A tapered wire takes its radius from GC.
        {"GW 1 5 0 0 0 0 0 1 0\nGC 0 0 1.1 .002 .004\nGE\n", "1/5 0.002: 0 0 0 > 0 0 1"},
        {"GW 1 5 0 0 0 0 0 1 .001\nGE\nXQ\nNX\nCE\nGW 7 3 0 0 0 1 0 0 .001\n"
         "GW 8 3 0 0 1 1 0 1 .001\nGE\nXQ\nEN\n",
         "1/5 0.001: 0 0 0 > 0 0 1 | 7/3 0.001: 0 0 0 > 1 0 0; 8/3 0.001: 0 0 1 > 1 0 1"},
    };
    for (const auto& [deck, wires] : cases) {
        std::string text;
        for (const auto& structure : ExactWiresOfStructures(ReadDeck("CE\n" + deck).cards))
            text += (text.empty() ? "" : " | ") + Text(structure);
        EXPECT_EQ(text, wires) << deck;
    }
}

// A deck's wire that nec2c's segments confirm (tag, count, ends) is one row
// of the deck's numbers; other segments are rows of their own, their ends
// rebuilt free of trigonometric dust, all in nec2c's order.
TEST(WireTableTest, RowsAreConfirmedWiresOrSingleSegments) {
    // The last wire's segments end 0.8 mm away.
    const std::vector<WireRow> exact = {{0, 0, 0, 0, 0, 1.00004, 0.001, 2, 1},
                                        {2, 0, 0, 3, 0, 0, 0.001, 2, 2},
                                        {20, 20, 30, 21.5, 20, 30, 0.001, 2, 1}};
    // clang-format off
    EXPECT_EQ(Text(BuildWireRows(exact, {{0, 0, .25, .5, 90, 0, .001, 1}, {0, 0, .75, .5, 90, 0, .001, 1},
                                         {.5, 0, 0, 1, 0, 180, .001, 3},
                                         {2.25, 0, 0, .5, 0, 0, .001, 2}, {2.75, 0, 0, .5, 0, 0, .001, 2},
                                         {5, 0, .25, .5, 90, 0, .001, 11}, {5, 0, .75, .5, 90, 0, .001, 11},
                                         {20.3752, 20, 30, .7504, 0, 0, .001, 1}, {21.1256, 20, 30, .7504, 0, 0, .001, 1}})),
              "1/2 0.001: 0 0 0 > 0 0 1.00004; 3/1 0.001: 1 0 0 > 0 0 0; 2/2 0.001: 2 0 0 > 3 0 0; "
              "11/1 0.001: 5 0 0 > 5 0 0.5; 11/1 0.001: 5 0 0.5 > 5 0 1; "
              "1/1 0.001: 20 20 30 > 20.7504 20 30; 1/1 0.001: 20.7504 20 30 > 21.5008 20 30");
    // clang-format on
}

}  // namespace
