#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"
#include "nec/DeckWriter.h"
#include "nec/WholeFile.h"

namespace {

// A wire as "W x,y,z length@angle radius/segments", a source as
// "S x,y,z magnitude@phase", each number to `digits` digits.
std::string Describe(const CElement& e, int digits = 6) {
    const auto n = [digits](double value) {
        char text[32];
        // Rotations leave a few 1e-17 where a value is 0.
        std::snprintf(text, sizeof text, "%.*g", digits, std::fabs(value) < 1e-9 ? 0.0 : value);
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
std::string Skipped(const std::string& l) { return "These cards of the deck were skipped:" + l; }

std::string TooMany(const std::string& count) {
    return Cannot("The deck would add " + count +
                  " elements; Quadrell draws at most 100000 from one deck.");
}

// Ground kind, soil, its constants, plane, origin height | frequency, steps, increment.
std::string Settings(const DeckImport& imported) {
    const GroundSettings& g = imported.ground;
    const FrequencySettings& f = imported.frequency;
    std::ostringstream out;
    out << static_cast<int>(g.kind) << " " << g.soil << " " << g.permittivity << " "
        << g.conductivity << " " << (g.plane == DrawingPlane::UPRIGHT ? "X-Z" : "X-Y") << " "
        << g.originHeight << " | " << f.m_frequency << " " << f.m_nSteps << " " << f.m_increment;
    return out.str();
}

struct ImportCase {
    const char* name;
    std::string deck;
    std::vector<std::string> elements;  // wires, then sources
    std::string failure;
    std::string skipped = "";
    CPoint origin{};
    std::string settings = "0 2 13 0.005 X-Y 0 | 299.8 0 0";
};

// clang-format off
const ImportCase kCases[] = {
    {"every direction in the plane, and a wire off it",
     Deck("GW 1 4 0 0 0 10 0 0 .001\nGW 2 2 10 0 0 0 0 0 .002\nGW 3 3 5 5 1 5 5 -3 .001\n"
          "GW 4 1 0 0 0 3 4 0 .001\nGW 5 1 0 0 0 -3 -4 0 .001\n"),
     {"W 0,0,0 10@0 0.001/4", "W 10,0,0 10@180 0.002/2", "W 0,0,0 5@306.87 0.001/1",
      "W 0,0,0 5@126.87 0.001/1"}, "", Skipped("\n1 wire off the drawing plane.")},
    {"an excitation names the S-th segment of its tag, or of the whole structure for tag 0",
     Deck("GW 1 1 0 0 0 0 -7 0 .001\nGW 2 5 1 1 0 1 -4 0 .001\nGW 2 5 2 2 0 2 -3 0 .001\n"
          "GW 3 1 4 4 4 4 4 4 .001\n",
          "EX 0 1 1 00 0 2.\nFR 0 1 0 0 7.1\nEX 0 2 5 00 -1. 0\nEX 0 9 1 00 1. 0\n"
          "RP 0 19 37 0000 0 0 10 10\nEX 0 2 6 00 1. 0\nEX\t0 2 11 00 1. 0\n"
          "EX 0 0 11 00 1. 0\n"),
     {"W 0,0,0 7@90 0.001/1", "W 1,-1,0 5@90 0.001/5", "W 2,-2,0 5@90 0.001/5",
      "S 0,0,0 2@90", "S 1,4,0 1@180", "S 2,-2,0 1@0", "S 2,3,0 1@0"}, "",
     Skipped("\n1 excitation with a tag that no GW card has.\n"
             "1 excitation on a segment that no wire has.\n1 wire whose two ends are one point."),
     {}, "0 2 13 0.005 X-Y 0 | 7.1 1 0"},
    {"CR LF line ends, missing fields and the drawing origin",
     "CM x\r\nCE\r\nGW 7 3 0 0 0 10\r\nGE\r\nEX 0 7 3 00 +3e-1\r\nEN ",
     {"W 10,20,0 10@0 0/3", "S 20,20,0 0.3@0"}, "", "", {10, 20}},
    {"lengths rounded below their run along X and towards -X",
     Deck("GW 1 1 -0.1 0 0 1e8 0 0 .1\nGW 1 1 0.1 0 0 -1e8 0 0 .1\n"),
     {"W -0.1,0,0 1e+08@0 0.1/1", "W 0.1,0,0 1e+08@180 0.1/1"}, ""},
    {"lower case, commas, tabs, blank lines, long cards, GE 0, no comments, EN and a line feed",
     "gw,1,1,0,0,0,1,0,0,.1" + std::string(300, ' ') + "\n\n\tGw\t2 1 0 1 0 1 1 0 .1\nGE 0\n"
     "ex 0 2 1 0 1 0\nEN\nGW 3 1 0 0 0 5 0 0 .1",
     {"W 0,0,0 1@0 0.1/1", "W 0,-1,0 1@0 0.1/1", "S 0,-1,0 1@0"}, ""},
    {"cards left out are named and counted; output cards are read past",
     Deck("GW 1 3 0 0 0 3 0 0 .1\nGC 0 0 1 .1 .2\nGA 2 4 1 0 90 .01\nGH 3 8 .1 1 1 1 1 1 .01\n"
          "SP 0 2 1 1 1 0 0 .1\nSC 0 0 1 1 1\n",
          "LD 0 1 1 1 50\nTL 1 1 1 2 50 1\nNT 1 1 1 2 0 0 1\nEX 5 1 2 0 1 0\nEK\nEX 0 2 3 0 1 0\n"
          "EK\nNE 0 1 1 1\nNH 0 1 1 1\nXQ\nPQ\nPT\nPL\nZO 50\nRP 0 1 1 1000\nHello world\n"),
     {"W 0,0,0 3@0 0.1/3"}, "",
     Skipped("\n1 arc (GA).\n1 helix (GH).\n1 patch card (SP, SM).\n1 load (LD).\n"
             "2 transmission lines and networks (TL, NT).\n"
             "1 excitation other than a voltage source: Quadrell draws only voltage sources.\n"
             "1 excitation on a part that was left out.\n"
             "2 EK cards.\n1 GC card.\n1 line that is not a NEC-2 card.")},
    {"NX ends what is read", Deck("GW 1 1 0 0 0 1 0 0 .1\n", "NX\nCE\nGW 2 1 0 0 0 5 0 0 .1\n"),
     {"W 0,0,0 1@0 0.1/1"}, "", Skipped("\nThe NX card and the structures after it.")},
    {"a wire too long to draw", Deck("GW 1 1 0 0 0 1 0 0 .1\r\nGW 2 1 -3e38 0 0 3e38 0 0 .1\r\n"),
     {}, TooLarge("GW 2 1 -3e38 0 0 3e38 0 0 .1")},
    {"a wire scaled beyond the float range", Deck("GW 1 1 0 0 0 1 0 0 .1\nGS 0 0 1e300\n"),
     {}, TooLarge("GW 1 1 0 0 0 1 0 0 .1")},
    {"an excitation too strong to draw", Deck("GW 1 1 0 0 0 1 0 0 .1\n", "EX 0 1 1 00 1e39 0\n"),
     {}, TooLarge("EX 0 1 1 00 1e39 0")},
    {"copies beyond the bound are refused before they are made",
     Deck("GW 1 1 0 0 0 1 0 0 .1\nGW 2 1 0 1 0 1 1 0 .1\nGM 0 50000 0 0 0 0 0 1\n"), {},
     TooMany("100002")},
    {"geometry cards that would take too long",
     Deck("GW 1 1 0 0 0 1 0 0 .1\nGM 0 99999 0 0 0 0 0 1\n" +
          [] { std::string gs; for (int i = 0; i < 200; ++i) gs += "GS 0 0 1\n"; return gs; }()),
     {}, Cannot("The deck's geometry cards would build or move more than 20000000 parts.")},
    {"wires and sources beyond the bound",
     Deck("GW 1 1 0 0 0 1 0 0 .1\nGM 0 99998 0 0 0 0 0 1\n", "EX 0 1 1 0 1 0\nEX 0 0 1 0 1 0\n"),
     {}, TooMany("100001")},
    {"excitations inside a wire split it at the start of their segments",
     Deck("GW 1 6 0 0 0 6 0 0 .1\n", "EX 0 1 4 0 1 0\nEX 0 1 2 0 2 0\nEX 0 1 4 0 3 0\n"),
     {"W 0,0,0 1@0 0.1/1", "W 1,0,0 2@0 0.1/2", "W 3,0,0 3@0 0.1/3", "S 3,0,0 1@0", "S 1,0,0 2@0",
      "S 3,0,0 3@0"}, ""},
    {"GS scales what was made before it; GM without copies moves from a tag on, adding to tags",
     Deck("GW 1 2 0 0 0 1 0 0 .1\nGS 0 0 2\nGW 2 1 0 1 0 1 1 0 .1\nGM 1 0 0 0 0 2 3 0 2\n",
          "EX 0 3 1 0 1 0\n"),
     {"W 0,0,0 2@0 0.2/2", "W 2,-4,0 1@0 0.1/1", "S 2,-4,0 1@0"}, ""},
    {"GM copies from a tag on, each copy from the one before, with growing tags",
     Deck("GW 1 1 0 0 0 1 0 0 .1\nGW 5 1 0 1 0 1 1 0 .1\nGM 10 2 0 0 90 0 0 0 5\n",
          "EX 0 25 1 0 1 0\nEX 0 15 1 0 2 0\n"),
     {"W 0,0,0 1@0 0.1/1", "W 0,-1,0 1@0 0.1/1", "W -1,0,0 1@270 0.1/1", "W 0,1,0 1@180 0.1/1",
      "S 0,1,0 1@0", "S -1,0,0 2@0"}, ""},
    {"GX reflects in Z, then Y, then X, doubling the tag increment each time",
     Deck("GW 1 2 1 0 0 2 1 0 .1\nGX 10 110\n", "EX 0 11 2 0 1 0\nEX 0 31 2 0 2 0\n"),
     {"W 1,0,0 1.41421@315 0.1/2", "W 1,0,0 1.41421@45 0.1/2", "W -1,0,0 1.41421@225 0.1/2",
      "W -1,0,0 1.41421@135 0.1/2", "S 2,1,0 1@0", "S -2,1,0 2@0"}, ""},
    {"GR rotates copies about Z with growing tags",
     Deck("GW 1 1 1 0 0 2 0 0 .1\nGR 1 4\n", "EX 0 3 1 0 1 0\n"),
     {"W 1,0,0 1@0 0.1/1", "W 0,-1,0 1@270 0.1/1", "W -1,0,0 1@180 0.1/1", "W 0,1,0 1@90 0.1/1",
      "S -1,0,0 1@0"}, ""},
    {"every wire in Y = 0 makes an upright design; a ground Quadrell cannot write is left out",
     Deck("GW 1 2 0 0 0 0 0 4 .1\nGW 2 1 0 0 4 3 0 4 .1\n", "EX 0 1 1 0 1 0\nGN 2 0 0 0 -1 0\n"),
     {"W 0,0,0 4@270 0.1/2", "W 0,-4,0 3@0 0.1/1", "S 0,0,0 1@0"}, "",
     Skipped("\n1 ground card (GN) that Quadrell cannot write."), {},
     "0 2 13 0.005 X-Z 0 | 299.8 0 0"},
    {"real ground of a preset soil, the first FR card's sweep, a horizontal origin height",
     Deck("GW 1 1 0 0 5 1 0 5 .1\n", "GN 2 0 0 0 13. 5.e-003\nFR 0 5 0 0 14.2 0.05\n"
          "FR 0 1 0 0 7\nGN 1\nCM Drawing plane X-Y, origin height 2.5 m\n"),
     {"W 0,0,2.5 1@0 0.1/1"}, "", Skipped("\n1 GN card."), {},
     "2 2 13 0.005 X-Y 2.5 | 14.2 5 0.05"},
    {"a ground model Quadrell does not write keeps its soil, a multiplying sweep its first step",
     Deck("GW 1 1 0 0 5 1 0 5 .1\n", "GN 0 0 0 0 7 0.002\nFR 1 5 0 0 3.5 1.1\n"),
     {"W 0,0,5 1@0 0.1/1"}, "",
     Skipped("\n1 ground card (GN) with a model, radial screen or second medium that Quadrell "
             "does not write: only its soil was kept.\nThe steps of the multiplying frequency "
             "sweep (FR): only its first frequency is offered."),
     {}, "2 6 7 0.002 X-Y 0 | 3.5 0 0"},
};
// clang-format on

void PrintTo(const ImportCase& c, std::ostream* out) { *out << c.name; }

class DeckImportCases : public testing::TestWithParam<ImportCase> {};

TEST_P(DeckImportCases, DrawsWhatItCanOrNothing) {
    const ImportCase& c = GetParam();
    const DeckImport imported = ReadDeckImport(c.deck, c.origin);
    EXPECT_EQ(imported.failure, c.failure);
    EXPECT_EQ(Elements(imported), c.elements);
    EXPECT_EQ(SkipMessage(imported.skipped), c.skipped);
    if (imported.failure.empty()) {
        EXPECT_EQ(Settings(imported), c.settings);
    }
}

INSTANTIATE_TEST_SUITE_P(Decks, DeckImportCases, testing::ValuesIn(kCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

// A written deck reads back as the design, wires reversed, whatever the
// direction of a wire and the phase of a source, to five of the six written
// digits; magnitude and phase come back exactly enough that writing the design
// again gives the same excitations on the same segments. The ground, the
// drawing plane and the origin's height come back with it.
TEST(DeckImport, ReadsAWrittenDesignBack) {
    using enum GroundKind;
    using enum DrawingPlane;
    const GroundSettings grounds[] = {{},
                                      {PERFECT, kAverageSoil, 13, 0.005, UPRIGHT, 0},
                                      {REAL, kCustomSoil, 7, 0.02, HORIZONTAL, 10},
                                      {REAL, kAverageSoil, 13, 0.005, UPRIGHT, 2.5}};
    for (const GroundSettings& ground : grounds) {
        CQuadrellDoc doc;
        doc.SetGround(ground);
        // An upright drawing has no heights of its own.
        const float rise = ground.plane == HORIZONTAL ? 0.5f : 0;
        const float angles[] = {0, 30.5f, 90, 135, 180, 200, 270, 315.25f};
        for (int i = 0; i < 8; ++i) {
            doc.AddElementAtHead(std::make_unique<CWire>(-40.0f + 10 * i, 7.5f - 3 * i, rise * i,
                                                         20.0f + i, 0.001f * (i + 1), 3.0f + i,
                                                         angles[i]));
        }
        const float phases[] = {0.5f, 45, -135, 90, -90, 180, -180, 30};
        ElementPosition pos = doc.GetFirstElementPosition();
        for (int i = 0; i < 8; ++i) {
            const auto& wire = static_cast<const CWire&>(*doc.GetNextElement(pos));
            const bool atEnd = i % 2 == 1;
            doc.AddElementAtTail(std::make_unique<CSource>(
                atEnd ? wire.GetEndX() : wire.GetStartX(), atEnd ? wire.GetEndY() : wire.GetStartY(),
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
            return std::regex_replace(deck.substr(deck.find("GE")), std::regex("EX 0 \\d+ "),
                                      "EX ");
        };
        int tags = 0;
        DeckImport imported = ReadDeckImport(WriteDeck(doc, {}, {}, {}, tags).text, {});
        CQuadrellDoc back;
        ApplyDeckImport(back, imported);
        std::vector<std::string> expected = design(doc);
        std::reverse(expected.begin(), expected.begin() + 8);
        EXPECT_EQ(design(back), expected);
        EXPECT_EQ(program(back), program(doc));
        EXPECT_EQ(back.GetGround(), ground);
    }
}

// Another NEC-2 program's example decks: most import, the rest are refused
// saying what they hold, and every card of a kind left out is named.
TEST(DeckImport, OpensOtherProgramsDecks) {
    int imported = 0, refused = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRELL_OUTSIDE_DECKS_DIR)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::string deck, error;
        ASSERT_TRUE(ReadWholeFile(entry.path(), deck, error, kLargestDeck)) << error;
        const DeckImport read = ReadDeckImport(deck, {});
        const std::string said = read.failure.empty() ? SkipMessage(read.skipped) : read.failure;
        ++(read.failure.empty() ? imported : refused);
        EXPECT_TRUE(read.failure.empty() || said.starts_with("Quadrell can draw nothing in this "
                                                             "deck. It holds:\n"));
        for (const char* card : {"GA", "GH", "LD", "TL", "EK", "GD", "SP", "SM"}) {
            const bool holds = deck.find(std::string("\n") + card) != std::string::npos;
            EXPECT_TRUE(!holds || said.find(card) != std::string::npos) << card;
        }
    }
    EXPECT_EQ(imported + refused, 75);
    EXPECT_GE(imported, 60);
}

}  // namespace
