#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <regex>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"
#include "nec/DeckWriter.h"

namespace {

// A wire as "W x,y,z length@angle radius/segments", a source as
// "S x,y,z magnitude@phase", each number to `digits` digits.
std::string Describe(const CElement& e, int digits = 6) {
    const auto n = [digits](double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        return std::string(text);
    };
    const std::string at = n(e.GetStartX()) + "," + n(e.GetStartY()) + ",";
    if (e.GetType() == ELEMENT_SOURCE) {
        return "S " + at + n(static_cast<const CSource&>(e).GetZ()) + " " + n(e.GetMagnitude()) +
               "@" + n(e.GetPhase());
    }
    const auto& wire = static_cast<const CWire&>(e);
    return "W " + at + n(wire.GetStartZ()) + " " + n(wire.GetLength()) + "@" + n(wire.GetAngle()) +
           " " + n(wire.GetRadius()) + "/" + n(wire.GetSegments());
}

std::vector<std::string> Elements(const DeckImport& imported) {
    std::vector<std::string> elements;
    for (const auto& wire : imported.wires) elements.push_back(Describe(*wire));
    for (const auto& source : imported.sources) elements.push_back(Describe(*source));
    return elements;
}

std::string Deck(const std::string& geometry, const std::string& program = "") {
    return "CM a deck\nCE\n" + geometry + "GE\n" + program + "EN";
}

// A message of a deck that cannot be opened.
std::string Cannot(const std::string& why) { return why + "\nFile Cannot be Opened"; }
std::string TooLarge(const std::string& card) {
    return Cannot("A number on this card is too large to draw:\n" + card);
}
const std::string kOnlyGw = Cannot("Quadrell only recognizes GW");
// A GW card padded with blanks to `length` characters before its line feed.
std::string GwOfLength(std::size_t length) {
    std::string card = "GW 1 1 0 0 0 1 0 0 .1";
    card.resize(length, ' ');
    return card + "\n";
}

// `wires` GW cards with tag 1 and 5 segments, and `excitations` EX cards with
// tag 1 on `segment`.
std::string SharedTag(int wires, int excitations, int segment) {
    std::string geometry, program;
    for (int i = 0; i < wires; ++i) geometry += "GW 1 5 0 0 0 1 0 0 .1\n";
    for (int i = 0; i < excitations; ++i)
        program += "EX 0 1 " + std::to_string(segment) + " 00 1\n";
    return Deck(geometry, program);
}

std::string TooMany(const std::string& count) {
    return Cannot("The deck would add " + count +
                  " elements; Quadrell draws at most 100000 from one deck.");
}

struct ImportCase {
    const char* name;
    std::string deck;
    std::vector<std::string> elements;  // wires, then sources
    std::string failure;
    std::string skipped = "0 0 0";  // inner, unmatched excitations, zero-length wires
    CPoint origin{};
};

// clang-format off
const ImportCase kCases[] = {
    {"every direction in the plane and along Z",
     Deck("GW 1 4 0 0 0 10 0 0 .001\nGW 2 2 10 0 0 0 0 0 .002\nGW 3 3 5 5 1 5 5 -3 .001\n"
          "GW 4 1 0 0 0 3 4 0 .001\nGW 5 1 0 0 0 -3 -4 0 .001\n"),
     {"W 0,0,0 10@0 0.001/4", "W 10,0,0 10@180 0.002/2", "W 5,-5,1 4@90 0.001/3",
      "W 0,0,0 5@306.87 0.001/1", "W 0,0,0 5@126.87 0.001/1"}, ""},
    {"sources on first and last segments of every wire with the tag",
     Deck("GW 1 1 0 0 0 0 -7 0 .001\nGW 2 5 1 1 0 1 -4 2 .001\nGW 2 5 2 2 0 2 -3 0 .001\n"
          "GW 3 1 4 4 4 4 4 4 .001\n",
          "EX 0 1 1 00 0 2.\nFR 0 1 0 0 7.1\nEX 0 2 5 00 -1. 0\nEX 0 9 1 00 1. 0\n"
          "RP 0 19 37 0000 0 0 10 10\nEX 0 2 3 00 1. 0\nEX\t0 1 1 00 1. 0\n"),
     {"W 0,0,0 7@90 0.001/1", "W 1,-1,0 5.38516@90 0.001/5", "W 2,-2,0 5@90 0.001/5",
      "S 0,0,0 2@90", "S 1,4,2 1@180", "S 2,3,0 1@180"}, "", "2 1 1"},
    {"CR LF line ends, missing fields and the drawing origin",
     "CM x\r\nCE\r\nGW 7 3 0 0 0 10\r\nGE\r\nEX 0 7 3 00 +3e-1\r\nEN ",
     {"W 10,20,0 10@0 0/3", "S 20,20,0 0.3@0"}, "", "0 0 0", {10, 20}},
    {"lengths rounded below their run along X and towards -X",
     Deck("GW 1 1 -0.1 0 0 1e8 0 0 .1\nGW 1 1 0.1 0 0 -1e8 0 0 .1\n"),
     {"W -0.1,0,0 1e+08@0 0.1/1", "W 0.1,0,0 1e+08@180 0.1/1"}, ""},
    {"a source on a wire card among the comments that is too far away",
     "GW 1 1 1e39 0 0 1 0 0 .1\nCE\nGE\nEX 0 1 1 00 1. 0\nEN", {}, TooLarge("EX 0 1 1 00 1. 0")},
    {"a card of 78 characters and its line feed", Deck(GwOfLength(78)), {"W 0,0,0 1@0 0.1/1"}, ""},
    {"a card of 79 characters leaves its line feed to the next read", Deck(GwOfLength(79)), {},
     kOnlyGw},
    {"a ground flag on GE", "CE\nGW 1 1 0 0 0 1 0 0 .1\nGE 0\nEN", {}, kOnlyGw},
    {"a blank line among the wires", Deck("GW 1 1 0 0 0 1 0 0 .1\n\n"), {}, kOnlyGw},
    {"a tab after the card name", Deck("GW\t1 1 0 0 0 1 0 0 .1\n"), {}, kOnlyGw},
    {"another geometry card", Deck("GA 1 8 2 0 90 .001\n"), {}, kOnlyGw},
    {"EN with a line feed is not the end", Deck("GW 1 1 0 0 0 1 0 0 .1\n") + "\n", {},
     Cannot("The deck ends before its \"EN\" card.")},
    {"a CE line with a comment", "CE a comment\nGE\nEN", {},
     Cannot("The deck has no \"CE\" line to end its comments.")},
    {"the deck ends among the wires", "CE\nGW 1 1 0 0 0 1 0 0 .1\n", {},
     Cannot("The deck ends before its \"GE\" card.")},
    {"a wire too long to draw", Deck("GW 1 1 0 0 0 1 0 0 .1\r\nGW 2 1 -3e38 0 0 3e38 0 0 .1\r\n"),
     {}, TooLarge("GW 2 1 -3e38 0 0 3e38 0 0 .1")},
    {"a wire whose far end is beyond the float range", Deck("GW 1 1 0 -3e38 0 0 -3e38 3e38 .1\n"),
     {}, TooLarge("GW 1 1 0 -3e38 0 0 -3e38 3e38 .1")},
    {"an excitation too strong to draw", Deck("GW 1 1 0 0 0 1 0 0 .1\n", "EX 0 1 1 00 1e39 0\n"),
     {}, TooLarge("EX 0 1 1 00 1e39 0")},
    {"every wire with the tag takes every excitation", SharedTag(400, 400, 5), {},
     TooMany("160400")},
    {"excitations inside the wires add nothing", SharedTag(400, 400, 3),
     std::vector<std::string>(400, "W 0,0,0 1@0 0.1/5"), "", "160000 0 0"},
};
// clang-format on

void PrintTo(const ImportCase& c, std::ostream* out) { *out << c.name; }

class DeckImportCases : public testing::TestWithParam<ImportCase> {};

TEST_P(DeckImportCases, DrawsWhatItCanOrNothing) {
    const ImportCase& c = GetParam();
    const DeckImport imported = ReadDeckImport(c.deck, c.origin);
    EXPECT_EQ(imported.failure, c.failure);
    EXPECT_EQ(Elements(imported), c.elements);
    const ImportSkips& s = imported.skipped;
    EXPECT_EQ(std::to_string(s.innerExcitations) + " " + std::to_string(s.unmatchedExcitations) +
                  " " + std::to_string(s.zeroLengthWires),
              c.skipped);
}

INSTANTIATE_TEST_SUITE_P(Decks, DeckImportCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// A written deck reads back as the design, wires reversed, whatever the
// direction of a wire and the phase of a source, to five of the six written
// digits; magnitude and phase come back exactly enough that writing the design
// again gives the same excitations on the same segments.
TEST(DeckImport, ReadsAWrittenDesignBack) {
    CQuadrellDoc doc;
    const float angles[] = {0, 30.5f, 90, 135, 180, 200, 270, 315.25f};
    for (int i = 0; i < 8; ++i) {
        doc.AddElementAtHead(std::make_unique<CWire>(-40.0f + 10 * i, 7.5f - 3 * i, 0.5f * i,
                                                     20.0f + i, 0.001f * (i + 1), 3.0f + i,
                                                     angles[i]));
    }
    const float phases[] = {0.5f, 45, -135, 90, -90, 180, -180, 30};
    ElementPosition pos = doc.GetFirstElementPosition();
    for (int i = 0; i < 8; ++i) {
        const auto& wire = static_cast<const CWire&>(*doc.GetNextElement(pos));
        const bool atEnd = i % 2 == 1;
        doc.AddElementAtTail(std::make_unique<CSource>(atEnd ? wire.GetEndX() : wire.GetStartX(),
                                                       atEnd ? wire.GetEndY() : wire.GetStartY(),
                                                       wire.GetStartZ(), 1.5f + i, phases[i]));
    }
    const auto design = [](const CQuadrellDoc& d) {
        std::vector<std::string> elements;
        for (ElementPosition p = d.GetFirstElementPosition(); p;)
            elements.push_back(Describe(*d.GetNextElement(p), 5));
        return elements;
    };
    // The cards after the wires, each EX card without its tag.
    const auto program = [](const CQuadrellDoc& d) {
        int tags = 0;
        const std::string deck = WriteDeck(d, {}, {}, {}, tags).text;
        return std::regex_replace(deck.substr(deck.find("GE")), std::regex("EX 0 \\d+ "), "EX ");
    };
    int tags = 0;
    DeckImport imported = ReadDeckImport(WriteDeck(doc, {}, {}, {}, tags).text, {});
    CQuadrellDoc back;
    AddImportedElements(back, imported);
    std::vector<std::string> expected = design(doc);
    std::reverse(expected.begin(), expected.begin() + 8);
    EXPECT_EQ(design(back), expected);
    EXPECT_EQ(program(back), program(doc));
}

}  // namespace
