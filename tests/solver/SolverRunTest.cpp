#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "solver/SolverRun.h"
#include "tests/solver/ListingReaderEmulation.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

#define SKIP_WITHOUT_NEC2C() \
    if (!IsOnPath("nec2c")) GTEST_SKIP() << "nec2c is not installed"

std::string Trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

float AsFloat(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }

// The listing split at CR LF; fails the test on a line feed without its
// carriage return.
std::vector<std::string> CrlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "the listing does not end with a line end";
            break;
        }
        EXPECT_TRUE(end > start && bytes[end - 1] == '\r') << "bare line feed at byte " << end;
        lines.push_back(bytes.substr(start, end > start ? end - start - 1 : 0));
        start = end + 1;
    }
    return lines;
}

// Byte offsets of the lines that begin with `prefix`.
std::vector<std::size_t> OffsetsOfLines(const std::string& bytes, const std::string& prefix) {
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at < bytes.size(); at = bytes.find('\n', at) + 1) {
        if (bytes.compare(at, prefix.size(), prefix) == 0) offsets.push_back(at);
        if (bytes.find('\n', at) == std::string::npos) break;
    }
    return offsets;
}

struct DeckCase {
    const char* file;
    std::size_t inputTables;
    std::size_t patternTables;
    std::size_t wireRows;
};

void PrintTo(const DeckCase& deck, std::ostream* out) { *out << deck.file; }

class SolverRunDeckTest : public testing::TestWithParam<DeckCase> {};

// Runs NEC2d and nec2c on the same deck, then reads NEC2d's listing the way
// Quadrell does, table by table, and compares every number it takes with
// what nec2c printed.
TEST_P(SolverRunDeckTest, ListingHoldsNec2csNumbersWhereTheReaderLooks) {
    SKIP_WITHOUT_NEC2C();
    const DeckCase deck = GetParam();
    CTestFolder folder;
    const fs::path listingPath = folder / "run.out";
    const SolverOutcome outcome = RunSolver({SolverDataFile(deck.file), listingPath});
    ASSERT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(outcome.message, "Listing written to \"" + listingPath.string() + "\".");
    const std::string bytes = ReadFileBytes(listingPath.string());
    const std::string own = Nec2cOwnOutput(SolverDataFile(deck.file));
    ASSERT_FALSE(own.empty());

    const std::vector<std::string> lines = CrlfLines(bytes);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(bytes.compare(bytes.size() - 22, 10, "RUN TIME ="), 0);
    EXPECT_EQ(lines.back().substr(0, 10), "RUN TIME =");

    // The first table of each kind is the one the reader's searches meet.
    const MarkerOffsets markers = FindMarkers(bytes);
    const std::vector<std::size_t> tagTables = OffsetsOfLines(bytes, "    TAG     SEG");
    const std::vector<std::size_t> patternTables = OffsetsOfLines(bytes, " DEGREES  DEGREES");
    const std::vector<std::size_t> wireTables = OffsetsOfLines(bytes, "  WIRE ");
    ASSERT_EQ(tagTables.size(), deck.inputTables);
    ASSERT_EQ(patternTables.size(), deck.patternTables);
    ASSERT_EQ(wireTables.size(), 1u);
    EXPECT_EQ(markers.tag, tagTables.empty() ? -1 : static_cast<long>(tagTables[0]));
    EXPECT_EQ(markers.degrees, patternTables.empty() ? -1 : static_cast<long>(patternTables[0]));
    EXPECT_EQ(markers.wire, static_cast<long>(wireTables[0]));

    // Every input table, read from its own header on.
    const auto impedances = Nec2cImpedances(own);
    ASSERT_EQ(impedances.size(), deck.inputTables);
    for (std::size_t k = 0; k < tagTables.size(); ++k) {
        const EmulatedListing read = ReadLikeQuadrell(bytes.substr(tagTables[k]));
        ASSERT_TRUE(read.impedanceFound);
        EXPECT_EQ(read.impedanceRealText.size(), 12u);
        EXPECT_EQ(Trim(read.impedanceRealText), impedances[k].first) << "table " << k;
        EXPECT_EQ(Trim(read.impedanceImagText), impedances[k].second) << "table " << k;
    }

    // Every pattern table: rows of 120 characters, the end text, and the
    // numbers nec2c printed.
    const auto ownTables = Nec2cPatternTables(own);
    ASSERT_EQ(ownTables.size(), deck.patternTables);
    for (std::size_t k = 0; k < patternTables.size(); ++k) {
        const EmulatedListing read = ReadLikeQuadrell(bytes.substr(patternTables[k]));
        ASSERT_TRUE(read.patternEnded) << "table " << k;
        const auto& rows = ownTables[k];
        ASSERT_EQ(read.theta.size(), rows.size()) << "table " << k;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(read.theta[i], AsFloat(rows[i].theta)) << k << "/" << i;
            EXPECT_EQ(read.phi[i], AsFloat(rows[i].phi)) << k << "/" << i;
            EXPECT_EQ(read.eTheta[i], AsFloat(rows[i].eTheta)) << k << "/" << i;
            EXPECT_EQ(read.ePhi[i], AsFloat(rows[i].ePhi)) << k << "/" << i;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(" DEGREES  DEGREES", 0) != 0) continue;
        EXPECT_EQ(lines[i].size(), 118u);
        std::size_t row = i + 1;
        while (row < lines.size() && !lines[row].empty()) EXPECT_EQ(lines[row++].size(), 120u);
        for (int blank = 0; blank < 7; ++blank, ++row) ASSERT_EQ(lines.at(row), "");
        EXPECT_EQ(lines.at(row).substr(0, 3), " **");
    }

    const EmulatedListing read = ReadLikeQuadrell(bytes);
    EXPECT_TRUE(read.complete);
    EXPECT_EQ(read.wires.size(), deck.wireRows);
    EXPECT_EQ(read.patternFound, deck.patternTables > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Decks, SolverRunDeckTest,
    testing::Values(DeckCase{"quadrell_default.in", 1, 1, 1},
                    DeckCase{"quadrell_sweep.in", 3, 3, 2}, DeckCase{"example1.nec", 1, 1, 1},
                    DeckCase{"no_pattern.in", 1, 0, 1}, DeckCase{"lenient.in", 1, 1, 1},
                    DeckCase{"geometry.in", 1, 1, 23}, DeckCase{"markers.in", 2, 2, 2}));

TEST(SolverRunTest, ManualExampleGivesTheManualsImpedance) {
    SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    ASSERT_TRUE(RunSolver({SolverDataFile("example1.nec"), folder / "x.out"}).ok);
    const EmulatedListing read = ReadLikeQuadrell(ReadFileBytes((folder / "x.out").string()));
    EXPECT_EQ(read.impedanceRealText, "  8.2698E+01");
    EXPECT_EQ(read.impedanceImagText, "  4.6306E+01");
    ASSERT_EQ(read.wires.size(), 1u);
    EXPECT_EQ(read.wires[0], (std::array<float, 6>{0, 0, -0.25f, 0, 0, 0.25f}));
}

TEST(SolverRunTest, QuadrellWiresKeepTheirEndsAndPatternItsDirections) {
    SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    ASSERT_TRUE(RunSolver({SolverDataFile("quadrell_sweep.in"), folder / "x.out"}).ok);
    const EmulatedListing read = ReadLikeQuadrell(ReadFileBytes((folder / "x.out").string()));
    ASSERT_EQ(read.wires.size(), 2u);
    EXPECT_EQ(read.wires[0], (std::array<float, 6>{0, 0, 0, 5, 0, 0}));
    EXPECT_EQ(read.wires[1], (std::array<float, 6>{-5, 0, 0, 0, 0, 0}));
    ASSERT_EQ(read.theta.size(), 40u);
    EXPECT_EQ(read.theta[9], 90.0f);
    EXPECT_EQ(read.phi[9], 0.0f);
    EXPECT_EQ(read.phi[10], 90.0f);
}

TEST(SolverRunTest, ScaledWiresAreShownInMetresAndOtherGeometryBySegments) {
    SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    ASSERT_TRUE(RunSolver({SolverDataFile("geometry.in"), folder / "x.out"}).ok);
    const EmulatedListing read = ReadLikeQuadrell(ReadFileBytes((folder / "x.out").string()));
    ASSERT_EQ(read.wires.size(), 23u);
    EXPECT_EQ(read.wires[0], (std::array<float, 6>{0, 0, 0, 0, 0, 0.508f}));
    EXPECT_EQ(read.wires[1], (std::array<float, 6>{0, 0.254f, 0, 0, 0.254f, 0.508f}));
    // The arc's first segment starts on the arc, 0.3 m out on the x axis.
    EXPECT_NEAR(read.wires[2][0], 0.3, 2e-4);
    EXPECT_NEAR(read.wires[2][2], 0.0, 2e-4);
    // Its copy, moved 1 m along x by GM.
    EXPECT_NEAR(read.wires[8][0], 1.3, 2e-4);
    EXPECT_EQ(read.wires[22], (std::array<float, 6>{1, 1, 1, 1, 1, 1.3f}));
}

TEST(SolverRunTest, CommentsAndNetworkTablesNeverPassForMarkers) {
    SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    ASSERT_TRUE(RunSolver({SolverDataFile("markers.in"), folder / "x.out"}).ok);
    const std::string bytes = ReadFileBytes((folder / "x.out").string());
    // The comments are still there, lowered where they would be taken for a marker.
    EXPECT_NE(bytes.find("tag 1 is the driven element"), std::string::npos);
    EXPECT_NE(bytes.find("abc degrees  degrees"), std::string::npos);
    EXPECT_NE(bytes.find("RUN TIME = IS THE LAST LINE"), std::string::npos);
    EXPECT_NE(bytes.find("  tag   seg  tag   seg"), std::string::npos);
}

// Each failure: the deck, a message the user sees, and no listing.
struct FailureCase {
    const char* name;
    std::string deckText;  // empty: the deck file is not there
    std::string engine;
    std::string message;
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.name; }

class SolverRunFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(SolverRunFailureTest, ReportsAndLeavesNoListing) {
    if (GetParam().engine == "nec2c") SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    CTestFolder temporary;
    const fs::path deck = folder / "deck.in";
    if (!GetParam().deckText.empty()) WriteTextFile(deck, GetParam().deckText);
    std::string engine = GetParam().engine;
    if (engine.rfind("script:", 0) == 0) {
        WriteScript(folder / "engine", engine.substr(7));
        engine = (folder / "engine").string();
    }
    ::setenv("TMPDIR", temporary.Path().c_str(), 1);
    const SolverOutcome outcome = RunSolver({deck, folder / "deck.out", engine});
    ::unsetenv("TMPDIR");

    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.message.find(GetParam().message), std::string::npos) << outcome.message;
    EXPECT_FALSE(fs::exists(folder / "deck.out"));
    // Nothing is left behind: no temporary listing, no folder of nec2c's.
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        EXPECT_TRUE(entry.path().filename() == "deck.in" || entry.path().filename() == "engine")
            << entry.path();
    }
    EXPECT_TRUE(fs::is_empty(temporary.Path()));
}

const std::string kGoodDeck =
    "CE\nGW 1 9 0 0 -.25 0 0 .25 .001\nGE\nEX 0 1 5 0 1.\nFR 0 1 0 0 299.8\nXQ\nEN\n";

INSTANTIATE_TEST_SUITE_P(
    Failures, SolverRunFailureTest,
    testing::Values(FailureCase{"missing_deck", "", "nec2c", "Cannot read the deck"},
                    FailureCase{"not_a_whole_number", "CE\nGW 1 5.5 0 0 0 1 0 0 .001\nGE\nEN\n",
                                "nec2c", "Line 2: field 2 of the GW card must be a whole number"},
                    FailureCase{"rejected_by_nec2c",
                                "CE\nGW 1 9 0 0 -.25 0 0 .25 .001\nGE\nEX 0 9 5 0 1.\nXQ\nEN\n",
                                "nec2c", "nec2c rejected the deck: NO SEGMENT HAS AN ITAG OF 9"},
                    FailureCase{"zero_radius", "CE\nGW 1 9 0 0 -.25 0 0 .25 0\nGE\nXQ\nEN\n",
                                "nec2c", "nec2c rejected the deck: GEOMETRY DATA CARD ERROR"},
                    FailureCase{"engine_missing", kGoodDeck, "/nonexistent/nec2c",
                                "nec2c, the NEC2 engine that NEC2d runs, was not found"},
                    FailureCase{"engine_crashes", kGoodDeck, "script:kill -SEGV $$",
                                "nec2c stopped abnormally (signal 11)"},
                    FailureCase{"engine_fails_quietly", kGoodDeck, "script:exit 3",
                                "nec2c rejected the deck: it gave no reason (exit code 3)."},
                    FailureCase{"output_cut_short", kGoodDeck,
                                "script:echo '  WIRE' > deck.out; exit 0",
                                "nec2c's output ended early."}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(SolverRunTest, FailedRunKeepsTheOldListingUntouched) {
    SKIP_WITHOUT_NEC2C();
    CTestFolder folder;
    const fs::path listing = folder / "deck.out";
    WriteTextFile(folder / "deck.in", kGoodDeck);
    ASSERT_TRUE(RunSolver({folder / "deck.in", listing}).ok);
    const std::string before = ReadFileBytes(listing.string());
    WriteTextFile(folder / "deck.in", "CE\nGW 1 9 0 0 -.25 0 0 .25 0\nGE\nXQ\nEN\n");
    EXPECT_FALSE(RunSolver({folder / "deck.in", listing}).ok);
    EXPECT_EQ(ReadFileBytes(listing.string()), before);
}

TEST(SolverRunTest, UnwritableListingIsReportedBeforeNec2cRuns) {
    CTestFolder folder;
    WriteTextFile(folder / "deck.in", kGoodDeck);
    // The engine would leave a trace if it ran.
    WriteScript(folder / "engine", "touch " + (folder / "ran").string());
    for (const fs::path& listing :
         {folder / "no such folder" / "deck.out", folder.Path(), folder / "deck.in"}) {
        const SolverOutcome outcome =
            RunSolver({folder / "deck.in", listing, (folder / "engine").string()});
        EXPECT_FALSE(outcome.ok) << listing;
        EXPECT_TRUE(outcome.message.starts_with("Cannot write the listing") ||
                    outcome.message.starts_with("The listing would overwrite the deck"))
            << outcome.message;
    }
    EXPECT_FALSE(fs::exists(folder / "ran"));
    EXPECT_EQ(ReadFileBytes((folder / "deck.in").string()), kGoodDeck);
}

TEST(SolverRunTest, CancelStopsTheEngineAndWritesNothing) {
    CTestFolder folder;
    WriteTextFile(folder / "deck.in", kGoodDeck);
    WriteScript(folder / "engine", "exec sleep 30");
    CCancelToken cancel;
    std::thread stopper([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel.Cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    const SolverOutcome outcome =
        RunSolver({folder / "deck.in", folder / "deck.out", (folder / "engine").string()}, &cancel);
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "The run was stopped.");
    EXPECT_FALSE(fs::exists(folder / "deck.out"));
}

TEST(SolverRunTest, Nec2cErrorTextTakesTheLastWordsAfterTheEcho) {
    EXPECT_EQ(Nec2cErrorText("  DATA CARD No:   2 FR   0 ...\n  COMMAND DATA CARD ERROR:\n"
                             "  CARD'S MNEMONIC CODE TOO SHORT OR MISSING."),
              "COMMAND DATA CARD ERROR: CARD'S MNEMONIC CODE TOO SHORT OR MISSING.");
    EXPECT_EQ(Nec2cErrorText("     1     0.00000    0.00000\n  GEOMETRY DATA CARD ERROR\n\n"),
              "GEOMETRY DATA CARD ERROR");
    EXPECT_EQ(Nec2cErrorText(""), "");
}

TEST(SolverRunTest, DefaultNamesFollowTheDeck) {
    EXPECT_EQ(DefaultListingFor("quad.in"), fs::path("quad.out"));
    EXPECT_EQ(DefaultListingFor("/a/b.c/deck"), fs::path("/a/b.c/deck.out"));

    CTestFolder folder;
    EXPECT_EQ(NewestDeckIn(folder.Path()), fs::path());
    const auto now = fs::file_time_type::clock::now();
    const std::pair<const char*, int> files[] = {
        {"old.in", -300}, {"b.in", -10}, {"a.in", -10}, {"newer.out", 0}, {"c.IN", 0}};
    for (const auto& [name, age] : files) {
        WriteTextFile(folder / name, "EN\n");
        fs::last_write_time(folder / name, now + std::chrono::seconds(age));
    }
    fs::create_directory(folder / "dir.in");
    EXPECT_EQ(NewestDeckIn(folder.Path()), folder / "a.in");
}

}  // namespace
