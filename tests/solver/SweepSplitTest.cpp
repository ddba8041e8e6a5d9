// Sweeps solved by several nec2c processes at once.
#include <algorithm>
#include <sstream>

#include "nec/ListingReader.h"
#include "solver/ConsoleDialogue.h"
#include "solver/DeckReader.h"
#include "solver/SolverRun.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

// The listing without the lines that differ between any two runs.
std::string Steady(const std::string& listing) {
    std::istringstream lines(listing);
    std::string steady;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("RUN TIME =") && line.find("FILL:") == std::string::npos)
            steady += line + '\n';
    }
    return steady;
}

// The example's FR card turned into a sweep of `steps` steps of 50 kHz.
std::string ExampleSweep(const std::string& example, long steps) {
    std::vector<DeckCard> cards = ReadDeck(Bytes(fs::path(QUADRELL_EXAMPLES_DIR) / example)).cards;
    DeckCard& sweep = *std::find_if(cards.begin(), cards.end(),
                                    [](const DeckCard& card) { return card.mnemonic == "FR"; });
    sweep.integers[1] = steps;
    sweep.reals[1] = 0.05;
    return CleanDeckText(cards);
}

// The runs' temporary folders go to a folder of the test's own while it lives.
struct TemporaryFolders {
    const CScratchFolder scratch;
    const std::string before = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    TemporaryFolders() { ::setenv("TMPDIR", scratch.path.c_str(), 1); }
    ~TemporaryFolders() {
        before.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", before.c_str(), 1);
    }
};

// Solves the deck with 1 and with 3 jobs, which must give the same listing
// apart from its timing lines, read alike by Quadrell, or fail alike. The
// number of parts the run with 3 jobs was solved in; -1 when neither run
// gave a listing Quadrell reads.
int PartsOfTheSameRun(const fs::path& folder, const std::string& deck) {
    WriteTextFile(folder / "deck.in", deck);
    std::string message[2], listing[2];
    int parts = 0;
    for (const int jobs : {1, 3}) {
        SolverRequest request{folder / "deck.in", folder / "deck.out"};
        request.jobs = jobs;
        request.onFrequenciesSolved = [&parts, jobs](long, long) { parts += jobs == 3; };
        fs::remove(folder / "deck.out");
        const SolverOutcome outcome = RunSolver(request);
        message[jobs / 3] = outcome.message;
        listing[jobs / 3] = outcome.ok ? Bytes(folder / "deck.out") : "";
    }
    EXPECT_EQ(message[0], message[1]);
    EXPECT_EQ(Steady(listing[0]), Steady(listing[1]));
    const auto one = ReadListing(listing[0]), split = ReadListing(listing[1]);
    if (!one || !split) return one || split ? -2 : -1;
    EXPECT_EQ(one->pattern.magnitude, split->pattern.magnitude);
    EXPECT_EQ(one->structure.impedanceRealText, split->structure.impedanceRealText);
    return parts;
}

// With 3 jobs a sweep of 2 or more steps is solved in parts, each part's
// frequencies exactly as one run steps to them, and the listing is the one
// of a single run; other decks run whole. Another program's example decks
// are cut to their first three frequencies, so that they stay quick.
TEST(SweepSplitTest, GivesTheListingOfOneRun) {
    SKIP_WITHOUT_NEC2C();
    const std::string dipole = "GW 1 11 0 0 0 0 0 20 .001\nGE\nEX 0 1 6 0 1\n";
    // Deck, and the parts it is solved in with 3 jobs.
    const std::pair<std::string, int> decks[] = {
        // clang-format off
        {ExampleSweep("dipole-80m.in", 8), 3}, {ExampleSweep("quad-2el-80m.in", 2), 2},
        // Multiplying steps; a ground; loads and an XQ.
        {dipole + "FR 1 7 0 0 3.1 1.0301\nRP 0 3 2 1000 0 0 45 90\nEN", 3},
        {dipole + "GN 1\nFR 0 4 0 0 3.3 0.07\nRP 0 2 2 0 10 0 45 90\nEN", 3},
        {"GW 1 5 0 -.25 0 0 .25 0 .001\nGW 2 5 .3 -.25 0 .3 .25 0 .001\nGE\nEX 0 1 3 0 1\n"
         "LD 5 1 0 0 3e7\nFR 0 5 0 0 299.8 1.3\nXQ 1\nEN", 3},
        // One step; a Sommerfeld ground; patterns at two requests.
        {dipole + "FR 0 1 0 0 3.5\nRP 0 3 2 0 0 0 45 90\nEN", 0},
        {dipole + "GN 2 0 0 0 13 .005\nFR 0 3 0 0 3.5 .1\nRP 0 2 2 0 10 0 45 90\nEN", 0},
        {dipole + "FR 0 3 0 0 3.5 .1\nRP 0 2 2 0 10 0 45 90\nRP 0 2 2 0 10 0 45 90\nEN", 0}};
    // clang-format on
    const CScratchFolder folder;
    const TemporaryFolders temporary;
    for (const auto& [deck, parts] : decks) {
        SCOPED_TRACE(deck);
        EXPECT_EQ(PartsOfTheSameRun(folder.path, deck), parts);
    }
    int outside = 0, split = 0;
    for (const auto& entry : fs::directory_iterator(QUADRELL_OUTSIDE_DECKS_DIR)) {
        std::vector<DeckCard> cards = ReadDeck(Bytes(entry.path())).cards;
        for (DeckCard& card : cards) {
            if (card.mnemonic == "FR") card.integers[1] = std::min(card.integers[1], 3L);
        }
        SCOPED_TRACE(entry.path().filename().string());
        ++outside;
        const int parts = PartsOfTheSameRun(folder.path, CleanDeckText(cards));
        EXPECT_NE(parts, -2);
        split += parts > 1;
    }
    // 22 of the 75 have nothing that keeps them whole.
    EXPECT_GE(outside, 75);
    EXPECT_GE(split, 20);
    EXPECT_TRUE(fs::is_empty(temporary.scratch.path));
}

// A part that fails fails the run with its reason, and the others leave
// nothing behind either.
TEST(SweepSplitTest, FailsWholeWhenAPartFails) {
    SKIP_WITHOUT_NEC2C();
    const CScratchFolder folder;
    const TemporaryFolders temporary;
    WriteTextFile(folder / "deck.in", ExampleSweep("dipole-80m.in", 4));
    WriteTextFile(folder / "deck.out", "old listing\r\n");
    // The parts are of 2, 1 and 1 steps; the last, at 3.6 + 3 x 0.05 MHz in
    // double precision, fails.
    WriteTextFile(folder / "nec2c",
                  "#!/bin/sh\ngrep -q '^FR 0 1 0 0 3.74' deck.nec && "
                  "{ echo 'out of memory' >&2; exit 4; }\nexec nec2c \"$@\"\n");
    fs::permissions(folder / "nec2c", fs::perms::owner_all);
    SolverRequest request{folder / "deck.in", folder / "deck.out", (folder / "nec2c").string()};
    request.jobs = 3;
    const SolverOutcome outcome = RunSolver(request);
    EXPECT_EQ(outcome.message, "nec2c rejected the deck: out of memory");
    EXPECT_EQ(Bytes(folder / "deck.out"), "old listing\r\n");
    EXPECT_TRUE(fs::is_empty(temporary.scratch.path));
}

TEST(SweepSplitTest, ReadsTheJobs) {
    // Arguments, exit code (1: the run was tried), jobs asked for.
    const std::tuple<std::vector<std::string>, int, int> cases[] = {{{"-j", "2", "d.in"}, 1, 2},
                                                                    {{"d.in", "--jobs", "5"}, 1, 5},
                                                                    {{"d.in"}, 1, 0},
                                                                    {{"-j", "0", "d.in"}, 2, -1},
                                                                    {{"d.in", "-j"}, 2, -1},
                                                                    {{"-j", "2x", "d.in"}, 2, -1}};
    for (const auto& [arguments, code, jobs] : cases) {
        int asked = -1;
        std::ostringstream out, err;
        const auto solve = [&asked](const SolverRequest& request) {
            asked = request.jobs;
            return SolverOutcome{};
        };
        EXPECT_EQ(RunWithArguments(arguments, out, err, solve), code);
        EXPECT_EQ(asked, jobs);
    }
}

}  // namespace
