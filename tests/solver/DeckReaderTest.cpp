#include <gtest/gtest.h>

#include <string>

#include "solver/DeckReader.h"

namespace {

// Each row: a deck as written, and the clean deck nec2c gets (less its EN) or
// the error.
TEST(DeckReaderTest, ReadsLenientlyOrSaysWhatIsWrongAndWhere) {
    const std::string seven = " 0.123456789012345 0.123456789012345 0.123456789012345";
    const std::string fourteen = " 0.12345678901234 0.12345678901234 0.12345678901234";
    const std::pair<std::string, std::string> cases[] = {
        // As Quadrell writes it: CR LF, "5." and "00" as integers, no last line end.
        {"GW 1 5. 0. 100. 0. 100. 100. 0. 5.e-003\r\nGE\r\nEX 0 1 1 00 1. 0. 0 0 0 0\r\nEN",
         "GW 1 5 0 100 0 100 100 0 0.005\nGE 0 0 0 0 0 0 0 0 0\nEX 0 1 1 0 1 0 0 0 0 0\n"},
        // Blanks, tabs and commas separate; ",," leaves a 0 and missing fields are 0.
        {"GW 1,5,0\t0 , 0 ,,.25,.001\nGW\t1,,0",
         "GW 1 5 0 0 0 0 0.25 0.001 0\nGW 1 0 0 0 0 0 0 0 0\n"},
        // Reals keep every digit that reads back; extra fields are ignored.
        {"GW 7 1.1E1 +0.1234567890123456789 0 0 1 0 0 1D-3\ngw1 11. 0 0 0 1 0 0 1.0d0 9 9 extra",
         "GW 7 11 0.12345678901234568 0 0 1 0 0 0.001\nGW 1 11 0 0 0 1 0 0 1\n"},
        {"\n   ld 5 1 3 3 50.\nRP 0 19 37 1512 0 0 10 10\nEX 0,1,3,10,1.\nXQ\nEN\nno card\n",
         "LD 5 1 3 3 50 0 0 0 0 0\nRP 0 19 37 1512 0 0 10 10 0 0\nEX 0 1 3 10 1 0 0 0 0 0\n"
         "XQ 0 0 0 0 0 0 0 0 0 0\n"},
        // nec2c reads 132 characters of a card; a longer one gives up digits.
        {"GW 1 5" + seven + seven + " 0.123456789012345",
         "GW 1 5" + seven + seven + " 0.123456789012345\n"},
        {"GW 1 5" + seven + seven + " -0.123456789012345",
         "GW 1 5" + fourteen + fourteen + " -0.12345678901234\n"},
        // Comments stay as written; long ones go on to further CM cards.
        {"CM  Two blanks, a\ttab, 5. and TAG\ncm " + std::string(150, 'x') + "\nCE end",
         "CM  Two blanks, a\ttab, 5. and TAG\nCM " + std::string(75, 'x') + "\nCM" +
             std::string(75, 'x') + "\nCE end\n"},
        // A carriage return in a comment, even at a cut, becomes a blank, so
        // that the clean deck reads back as itself.
        {"CM a\r\r\nCM " + std::string(73, 'y') + "\r b",
         "CM a \nCM " + std::string(73, 'y') + " \nCM b\n"},
        {"CM\n\nGW 1 5.5", "Line 3: field 2 of the GW card must be a whole number, not \"5.5\"."},
        {"EX 0 1 1 1e10", "Line 1: field 4 of the EX card must be a whole number, not \"1e10\"."},
        {"GW 1 5 0 0 0 1 0 0 1..5", "Line 1: field 9 of the GW card, \"1..5\", is not a number."},
        {"GW 1 5 0 0 abc", "Line 1: field 5 of the GW card, \"abc\", is not a number."},
        {"GW 1 5 0 0 inf", "Line 1: field 5 of the GW card, \"inf\", is not a number."},
        {"CM\nCE\nZZ 1 2\n", "Line 3: unknown card \"ZZ\"."},
        {"\n  \r\n", "The deck holds no cards."},
        {[] {
             std::string deck;
             for (int i = 0; i <= 1000000; ++i) deck += "GE\n";
             return deck;
         }(),
         "Line 1000001: a deck may hold at most 1000000 cards."},
    };
    for (const auto& [written, read] : cases) {
        const DeckReadResult result = ReadDeck(written);
        EXPECT_EQ(result.ok ? CleanDeckText(result.cards) : result.errorText,
                  result.ok ? read + "EN 0 0 0 0 0 0 0 0 0 0\n" : read)
            << written;
    }
}

}  // namespace
