// NEC2d as a user meets it: the program on the command line, and its console
// dialogue.
#include <gtest/gtest.h>

#include <sstream>

#include "solver/ConsoleDialogue.h"
#include "tests/solver/ListingReaderEmulation.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

bool IsCompleteListing(const fs::path& path) {
    return fs::exists(path) && ReadLikeQuadrell(ReadFileBytes(path.string())).complete;
}

TEST(Nec2dProgramTest, RunsADeckWithoutQuestions) {
    if (!IsOnPath("nec2c")) GTEST_SKIP() << "nec2c is not installed";
    CTestFolder folder;
    WriteTextFile(folder / "dipole.in", kHalfWaveDipoleDeck);

    ProgramRun run = RunProgram(NEC2D_PROGRAM, {"dipole.in"}, folder.Path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Listing written to \"dipole.out\".\n");
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(IsCompleteListing(folder / "dipole.out"));

    run = RunProgram(NEC2D_PROGRAM, {"dipole.in", "named.lst"}, folder.Path());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(IsCompleteListing(folder / "named.lst"));
}

TEST(Nec2dProgramTest, FailuresEndWithAMessageAndExitCode) {
    CTestFolder folder;
    WriteTextFile(folder / "dipole.in", kHalfWaveDipoleDeck);
    WriteTextFile(folder / "bad.in",
                  "CE\nGW 1 9 0 0 -.25 0 0 .25 .001\nGE\nEX 0 9 5 0 1.\nXQ\nEN\n");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> environment;
        int exitCode;
        std::string error;
    };
    const Case cases[] = {
        {{"missing.in"}, {}, 1, "NEC2d: Cannot read the deck \"missing.in\": No such file"},
        {{"dipole.in"},
         {"PATH=" + folder.Path().string()},
         1,
         "NEC2d: nec2c, the NEC2 engine that NEC2d runs, was not found."},
        {{"bad.in"}, {}, 1, "NEC2d: nec2c rejected the deck: NO SEGMENT HAS AN ITAG OF 9"},
        {{"dipole.in", "nowhere/x.out"}, {}, 1, "NEC2d: Cannot write the listing"},
        {{"a", "b", "c"}, {}, 2, "Usage: NEC2d [DECK [LISTING]]"},
        // No arguments, no terminal and no display: nothing to ask on.
        {{},
         {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"},
         2,
         "NEC2d: no terminal and no display"},
    };
    for (const Case& c : cases) {
        if (c.error.find("ITAG") != std::string::npos && !IsOnPath("nec2c")) continue;
        const ProgramRun run = RunProgram(NEC2D_PROGRAM, c.arguments, folder.Path(), c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.error;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    for (const char* listing : {"missing.out", "dipole.out", "bad.out"})
        EXPECT_FALSE(fs::exists(folder / listing)) << listing;
}

TEST(Nec2dProgramTest, HelpIsNoError) {
    const ProgramRun run = RunProgram(NEC2D_PROGRAM, {"--help"}, fs::temp_directory_path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, UsageText());
}

// The console dialogue with a stand-in for the run.
struct Dialogue {
    std::vector<SolverRequest> requests;
    std::ostringstream out;
    std::ostringstream err;
    int Run(const std::string& typed, const fs::path& folder, bool succeed = true) {
        std::istringstream in(typed);
        return RunConsoleDialogue(in, out, err, folder, [&](const SolverRequest& request) {
            requests.push_back(request);
            return SolverOutcome{succeed, succeed ? "Listing written to \"x\"." : "It failed."};
        });
    }
};

TEST(Nec2dProgramTest, ConsoleOffersTheNewestDeckAndItsListing) {
    CTestFolder folder;
    WriteTextFile(folder / "older.in", "EN\n");
    fs::last_write_time(folder / "older.in",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    WriteTextFile(folder / "quad.in", "EN\n");

    Dialogue taken;
    EXPECT_EQ(taken.Run("\n\n", folder.Path()), 0);
    ASSERT_EQ(taken.requests.size(), 1u);
    EXPECT_EQ(taken.requests[0].deck, fs::path("quad.in"));
    EXPECT_EQ(taken.requests[0].listing, fs::path("quad.out"));
    EXPECT_NE(taken.out.str().find("Deck to read [quad.in]: "), std::string::npos);
    EXPECT_NE(taken.out.str().find("Listing to write [quad.out]: "), std::string::npos);
    EXPECT_NE(taken.out.str().find("Listing written to \"x\"."), std::string::npos);

    Dialogue typed;
    EXPECT_EQ(typed.Run("  older.in \nresult.lst\n", folder.Path(), false), 1);
    ASSERT_EQ(typed.requests.size(), 1u);
    EXPECT_EQ(typed.requests[0].deck, fs::path("older.in"));
    EXPECT_EQ(typed.requests[0].listing, fs::path("result.lst"));
    EXPECT_EQ(typed.err.str(), "NEC2d: It failed.\n");
}

TEST(Nec2dProgramTest, ConsoleAsksAgainWithoutDefaultAndStopsAtEndOfInput) {
    CTestFolder folder;
    Dialogue again;
    EXPECT_EQ(again.Run("\n\ndeck.in\n\n", folder.Path()), 0);
    ASSERT_EQ(again.requests.size(), 1u);
    EXPECT_EQ(again.requests[0].deck, fs::path("deck.in"));
    EXPECT_EQ(again.requests[0].listing, fs::path("deck.out"));

    Dialogue ended;
    EXPECT_EQ(ended.Run("deck.in\n", folder.Path()), 2);
    EXPECT_TRUE(ended.requests.empty());
}

}  // namespace
