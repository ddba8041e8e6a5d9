// NEC2d as a user meets it: the program on the command line, and its console
// dialogue.
#include <sstream>

#include "nec/ListingReader.h"
#include "solver/ConsoleDialogue.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Success is told on the output, anything else on the errors. A failed run
// leaves the listing already there as it was, and no temporary file or folder.
TEST(Nec2dProgramTest, ReportsOnTheRightStreamAndChangesNothingOnFailure) {
    SKIP_WITHOUT_NEC2C();
    const std::string good = Bytes(SolverDataFile("quadrell_default.in"));
    const std::string wire = "CE\nGW 1 9 0 0 -.25 0 0 .25 ";
    // The nec2c that runs: the real one (""), none at all (any failure found
    // before it would run says something else), or a stand-in script.
    const std::string none = "none";
    const struct {
        std::string deck;  // empty: no deck
        const char* arguments;
        std::string engine;
        int exitCode;
        std::string text;
    } cases[] = {
        // clang-format off
        {good, "deck.in", "", 0, "Listing written to \"deck.out\".\n"},
        {good, "deck.in named.lst", "", 0, "Listing written to \"named.lst\".\n"},
        {"", "--help", none, 0, UsageText()},
        {"", "a b c", none, 2, UsageText()},
        // No arguments, no terminal and no display: nothing to ask on.
        {"", "", none, 2, "NEC2d: no terminal and no display to ask for the deck on.\n" + UsageText()},
        {"", "deck.in", none, 1, "NEC2d: Cannot read the deck \"deck.in\": No such file or directory.\n"},
        {"GW 1 5.5", "deck.in", none, 1, "NEC2d: The deck \"deck.in\" has an error. Line 1: field 2 "
                                         "of the GW card must be a whole number, not \"5.5\".\n"},
        {good, "deck.in no/x", none, 1, "NEC2d: Cannot write the listing \"no/x\": No such file or directory.\n"},
        {good, "deck.in deck.in", none, 1, "NEC2d: The listing would overwrite the deck \"deck.in\"; "
                                           "choose another name for it.\n"},
        {good, "deck.in", none, 1, "NEC2d: nec2c, the NEC2 engine that NEC2d runs, was not found. "
                                   "Install the Debian package nec2c.\n"},
        {wire + ".001\nGE\nEX 0 9 5 0 1.\nXQ\n", "deck.in", "", 1, "NEC2d: nec2c rejected the deck: "
                                                                  "NO SEGMENT HAS AN ITAG OF 9\n"},
        {wire + "0\nGE\nXQ\n", "deck.in", "", 1, "NEC2d: nec2c rejected the deck: GEOMETRY DATA CARD ERROR\n"},
        {good, "deck.in", "kill -SEGV $$", 1, "NEC2d: nec2c stopped abnormally (signal 11).\n"},
        {good, "deck.in", "exit 3", 1, "NEC2d: nec2c rejected the deck: it gave no reason (exit code 3).\n"},
        {good, "deck.in", "echo '  WIRE' > deck.out", 1, "NEC2d: nec2c's output ended early.\n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        CTestFolder folder;
        CTestFolder temporary;
        fs::create_directory(folder / "bin");
        if (!c.deck.empty()) WriteTextFile(folder / "deck.in", c.deck);
        WriteTextFile(folder / "deck.out", "old listing\r\n");
        if (c.engine != none && !c.engine.empty()) {
            WriteTextFile(folder / "bin/nec2c", "#!/bin/sh\n" + c.engine + "\n");
            fs::permissions(folder / "bin/nec2c", fs::perms::owner_all);
        }
        const ProgramRun run =
            RunProgram(folder.path,
                       "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY TMPDIR=" +
                           temporary.path.string() + " PATH=" + (folder / "bin").string() +
                           (c.engine == none ? " " : ":$PATH ") + NEC2D_PROGRAM " " + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(c.exitCode == 0 ? run.out : run.err, c.text);
        EXPECT_EQ(c.exitCode == 0 ? run.err : run.out, "");
        EXPECT_EQ(Bytes(folder / "deck.in"), c.deck);
        // A listing is there when the run says so; a failure keeps the old one.
        for (const std::string name : {"deck.out", "named.lst"}) {
            EXPECT_EQ(ReadListingFile(folder / name).has_value(),
                      c.text == "Listing written to \"" + name + "\".\n");
        }
        EXPECT_TRUE(c.exitCode == 0 || Bytes(folder / "deck.out") == "old listing\r\n");
        for (const auto& entry : fs::directory_iterator(folder.path)) {
            const std::string name = entry.path().filename();
            EXPECT_TRUE(name == "deck.in" || name == "deck.out" || name == "bin" ||
                        name == "named.lst")
                << name;
        }
        EXPECT_TRUE(fs::is_empty(temporary.path));
    }
}

// The dialogue with a stand-in for the run that reports the listing it was
// asked for; the folder's newest deck is offered.
TEST(Nec2dProgramTest, ConsoleOffersTheNewestDeckAndItsListing) {
    CTestFolder folder;
    WriteTextFile(folder / "a.in", "EN\n");
    fs::create_directory(folder / "empty");
    const struct {
        const char* folder;
        const char* typed;
        int exitCode;
        std::string out;
    } cases[] = {
        // clang-format off
        {"", "\n\n", 0, "Deck to read [a.in]: Listing to write [a.out]: Running nec2c on a.in ...\n"
                       "Listing a.out\n"},
        {"", "  d.x/deck \nresult.lst\n", 1, "Deck to read [a.in]: Listing to write [d.x/deck.out]: "
                                            "Running nec2c on d.x/deck ...\n"},
        {"empty", "\n\ndeck.in\n", 2, "Deck to read: Deck to read: Deck to read: Listing to write "
                                     "[deck.out]: \n"},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::istringstream in(c.typed);
        std::ostringstream out, err;
        const int exitCode =
            RunConsoleDialogue(in, out, err, folder / c.folder, [&](const SolverRequest& request) {
                return SolverOutcome{c.exitCode == 0, "Listing " + request.listing.string()};
            });
        EXPECT_EQ(exitCode, c.exitCode) << c.typed;
        EXPECT_EQ(out.str(), "NEC2d: NEC2 antenna solver (engine nec2c)\n" + c.out);
        EXPECT_EQ(err.str(), exitCode == 1 ? "NEC2d: Listing result.lst\n" : "");
    }
}

}  // namespace
