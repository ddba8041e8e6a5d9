#include <cmath>
#include <complex>
#include <sstream>

#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/DeckImport.h"
#include "nec/DeckWriter.h"
#include "nec/ListingReader.h"
#include "solver/DeckReader.h"
#include "solver/SolverRun.h"
#include "tests/solver/SolverTestSupport.h"

namespace {

// The words of the first row of each input parameter table and of every row
// of each pattern table (11 words, 12 with a polarisation sense), found alike
// in nec2c's output and NEC2d's listing.
using Words = std::vector<std::string>;
struct Tables {
    std::vector<Words> inputs;
    std::vector<std::vector<Words>> patterns;
};

Tables TablesIn(const std::string& text) {
    Tables tables;
    std::istringstream lines(text);
    int inputRow = 0;
    bool inPattern = false;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        const Words row{std::istream_iterator<std::string>(words), {}};
        if (inputRow > 0 && --inputRow == 0) tables.inputs.push_back(row);
        if (line.find("ANTENNA INPUT PARAMETERS") != std::string::npos) inputRow = 3;
        inPattern = inPattern && (row.size() == 11 || row.size() == 12);
        if (inPattern) tables.patterns.back().push_back(row);
        if (line.starts_with(" DEGREES ")) tables.patterns.emplace_back();
        inPattern = inPattern || line.starts_with(" DEGREES ");
    }
    return tables;
}

// Runs NEC2d and nec2c on the same deck: NEC2d's tables hold nec2c's
// numbers, and Quadrell reads those of the first table of each kind.
TEST(SolverRunTest, ListingHoldsNec2csNumbersWhereQuadrellReadsThem) {
    SKIP_WITHOUT_NEC2C();
    // Deck, rows of its wire table, and texts the listing holds.
    const std::tuple<const char*, int, std::vector<std::string>> decks[] = {
        // clang-format off
        // The NEC-2 manual's first example: wire, impedance, pattern heads and end.
        {"example1.nec", 1, {
            "\r\n    1  0.000000E+00  0.000000E+00 -2.500000E-01  0.000000E+00  0.000000E+00  "
            "2.500000E-01 1.0000E-03     7     0\r\n\r\n     TOTAL SEGMENTS USED",
            "  8.2698E+01  4.6306E+01",
            "\r\n ---- ANGLES ----    ----- POWER GAINS -----      ---- POLARIZATION ----       "
            "---- E(THETA) ----    --- E(PHI) ---\r\n   THETA      PHI      VERTC    HORIZ    TOTAL"
            "      AXIAL     TILT  SENSE      MAGNITUDE      PHASE  MAGNITUDE PHASE\r\n DEGREES  "
            "DEGREES         DB       DB       DB      RATIO  DEGREES               VOLTS/M    "
            "DEGREES    VOLTS/M DEGREES\r\n",
            "\r\n\r\n\r\n\r\n\r\n\r\n\r\n ** END OF RADIATION PATTERN, 38 DIRECTIONS\r\n"}},
        {"quadrell_default.in", 1, {}}, {"quadrell_sweep.in", 2, {}}, {"no_pattern.in", 1, {}},
        // Wires scaled to metres; an arc comes segment by segment; a coordinate of -1000 m or
        // less widens nec2c's segment rows.
        {"geometry.in", 24, {
            "    2  0.000000E+00  2.540000E-01  0.000000E+00  0.000000E+00  2.540000E-01  5.080000E-01",
            "    3  3.000100E-01  0.000000E+00 -1.500000E-05  2.897900E-01  0.000000E+00  7.761500E-02"}},
        // Comments and nec2c's tables that would pass for a marker are lowered.
        {"markers.in", 2, {"tag 1 is the driven element", "abc degrees  degrees",
                           "RUN TIME = IS THE LAST LINE", "  tag   seg  tag   seg"}}};
    // clang-format on
    for (const auto& [file, wireRows, excerpts] : decks) {
        SCOPED_TRACE(file);
        CScratchFolder folder;
        ASSERT_TRUE(RunSolver({SolverDataFile(file), folder / "run.out"}).ok);
        const std::string bytes = Bytes(folder / "run.out");
        for (const std::string& excerpt : excerpts)
            EXPECT_NE(bytes.find(excerpt), std::string::npos) << excerpt;
        WriteTextFile(folder / "own.nec",
                      CleanDeckText(ReadDeck(Bytes(SolverDataFile(file))).cards));
        RunProgram(folder.path, "nec2c -iown.nec -oown.out");
        const Tables printed = TablesIn(Bytes(folder / "own.out"));
        EXPECT_EQ(TablesIn(bytes).inputs, printed.inputs);
        EXPECT_EQ(TablesIn(bytes).patterns, printed.patterns);

        const std::optional<ListingResult> read = ReadListing(bytes);
        ASSERT_EQ(read.has_value(), !printed.patterns.empty());
        if (!read) continue;
        // The first impedance as printed, twelve columns each.
        const Words& input = printed.inputs.at(0);
        EXPECT_EQ(std::string(read->structure.impedanceRealText.data(), 12) +
                      std::string(read->structure.impedanceImagText.data(), 12),
                  std::string(12 - input[6].size(), ' ') + input[6] +
                      std::string(12 - input[7].size(), ' ') + input[7]);
        EXPECT_EQ(read->structure.wireCount, wireRows);
        EXPECT_EQ(read->pattern.pointCount, static_cast<int>(printed.patterns[0].size()));
    }
}

// The example designs shipped with Quadrell each import whole, write back with
// every source on a wire end, and solve with NEC2d into a listing Quadrell reads.
TEST(ExamplesTest, ImportCleanlyAndSolve) {
    SKIP_WITHOUT_NEC2C();
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRELL_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".in") continue;
        ++examples;
        SCOPED_TRACE(entry.path().filename().string());
        DeckImport imported = ReadDeckImport(Bytes(entry.path()), {});
        ASSERT_EQ(imported.failure, "");
        EXPECT_EQ(SkipMessage(imported.skipped), "");
        EXPECT_EQ(imported.sources.size(), 1u);
        CQuadrellDoc doc;
        AddImportedElements(doc, imported);
        int tags = 0;
        EXPECT_TRUE(WriteDeck(doc, {}, {}, {}, tags).allSourcesConnected);
        CScratchFolder folder;
        std::filesystem::copy_file(entry.path(), folder / "example.in");
        const auto [code, out, err] =
            RunProgram(folder.path, std::string(NEC2D_PROGRAM) + " example.in");
        EXPECT_EQ(code, 0) << err;
        EXPECT_TRUE(ReadListingFile(folder / "example.out").has_value());
    }
    EXPECT_GE(examples, 5);
}

// The deck at one frequency and one pattern direction, without its own FR and RP
// cards (an RP before FR solves at 299.8 MHz), near fields and other programs' cards.
std::string AtOneFrequency(const std::string& deck, float frequency) {
    std::istringstream lines(deck);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        const std::string card = line.substr(0, 2);
        if (card == "EN") break;
        if (card != "FR" && card != "RP" && card != "NE" && card != "NH" && card != "ZO")
            out += line + "\n";
    }
    return out + "FR 0 1 0 0 " + std::to_string(frequency) + " 0\nRP 0 1 1 1000 90 0 0 0\nEN\n";
}

// Where the sources are, to a millimetre.
std::vector<long> Sources(const DeckImport& d) {
    std::vector<long> at;
    for (const auto& s : d.sources)
        for (const float v : {s->GetStartX(), s->GetStartY(), s->GetZ()})
            at.push_back(std::lround(v * 1e3));
    return at;
}

std::complex<double> InputImpedance(const std::filesystem::path& folder, const std::string& deck) {
    WriteTextFile(folder / "z.in", deck);
    EXPECT_EQ(std::get<0>(RunProgram(folder, std::string(NEC2D_PROGRAM) + " z.in z.out")), 0);
    const std::optional<ListingResult> read = ReadListingFile(folder / "z.out");
    if (!read) return {};
    return {std::stod(std::string(read->structure.impedanceRealText.data(), 12)),
            std::stod(std::string(read->structure.impedanceImagText.data(), 12))};
}

// NEC2d solves designs over each ground: a dipole 10 m up over average soil has
// 82 ohms, not its 72 of free space, and a quarter-wave vertical fed at its
// foot over a perfect ground its textbook 36 ohms.
TEST(SolverRunTest, SolvesDesignsOverEachGround) {
    SKIP_WITHOUT_NEC2C();
    using enum GroundKind;
    // Wires from the origin at these angles, fed there at 7.1 MHz; flat ones 10 m up.
    const std::tuple<GroundKind, bool, std::vector<float>, float, double> cases[] = {
        {REAL, false, {0, 180}, 10.25f, 81.9}, {PERFECT, true, {270}, 10.3f, 36.5}};
    for (const auto& [kind, upright, angles, length, ohms] : cases) {
        CQuadrellDoc doc;
        doc.SetGround({kind, kAverageSoil, 13, 0.005,
                       upright ? DrawingPlane::UPRIGHT : DrawingPlane::HORIZONTAL,
                       10.0 * !upright});
        for (float angle : angles)
            doc.AddElementAtHead(std::make_unique<CWire>(0, 0, 0, length, 0.001f, 11, angle));
        doc.AddElementAtTail(std::make_unique<CSource>(0, 0, 0, 1, 0));
        int tags = 0;
        const CScratchFolder folder;
        const std::string deck = WriteDeck(doc, {0, 0, 0, 7.1f}, {}, {}, tags).text;
        EXPECT_NEAR(InputImpedance(folder.path, deck).real(), ohms, 1);
    }
}

// Another program's decks that hold only what Quadrell draws and writes give
// the same input impedance, to four digits, once imported and written again.
TEST(OutsideDecksTest, KeepTheirImpedanceThroughImportAndWriting) {
    SKIP_WITHOUT_NEC2C();
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRELL_OUTSIDE_DECKS_DIR)) {
        const std::string deck = Bytes(entry.path());
        DeckImport imported = ReadDeckImport(deck, {});
        if (!imported.failure.empty() || !SkipMessage(imported.skipped).empty()) continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto sources = Sources(imported);
        CQuadrellDoc doc;
        ApplyDeckImport(doc, imported);
        int tags = 0;
        const DeckText written = WriteDeck(doc, imported.frequency, {}, {}, tags);
        // Every source feeds the segment it fed, also on close or stacked wires.
        EXPECT_EQ(Sources(ReadDeckImport(written.text, {})), sources);
        ++compared;
        const float frequency = imported.frequency.m_frequency;
        CScratchFolder folder;
        const auto original = InputImpedance(folder.path, AtOneFrequency(deck, frequency));
        const auto back = InputImpedance(folder.path, AtOneFrequency(written.text, frequency));
        EXPECT_LE(std::abs(back - original), 5e-4 * std::abs(original))
            << original << " became " << back;
    }
    EXPECT_GE(compared, 9);
}

}  // namespace
