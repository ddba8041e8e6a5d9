// NEC2d on the command line, and its console dialogue.
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <sstream>

#include "nec/ListingReader.h"
#include "solver/ConsoleDialogue.h"
#include "tests/solver/SolverTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Puts in `folder` the deck (unless empty), an old listing, and in bin/ a
// stand-in nec2c running `engine` (unless empty).
void Prepare(const CScratchFolder& folder, const std::string& deck, const std::string& engine) {
    fs::create_directory(folder / "bin");
    if (!deck.empty()) WriteTextFile(folder / "deck.in", deck);
    WriteTextFile(folder / "deck.out", "old listing\r\n");
    if (engine.empty()) return;
    WriteTextFile(folder / "bin/nec2c", "#!/bin/sh\n" + engine + "\n");
    fs::permissions(folder / "bin/nec2c", fs::perms::owner_all);
}

// Success is told on the output, anything else on the errors (without
// arguments, terminal or display there is nothing to ask on). A failed run
// leaves the listing already there as it was, and no temporary file or folder.
TEST(Nec2dProgramTest, ReportsOnTheRightStreamAndChangesNothingOnFailure) {
    SKIP_WITHOUT_NEC2C();
    const std::string good = Bytes(SolverDataFile("quadrell_default.in"));
    // Deck (empty: none), arguments, the nec2c that runs (the real one "", none
    // at all, or a stand-in script), exit code, and what is said.
    const std::string none = "none";
    const std::string kSparse = "a deck one byte over the limit, with no blocks on the disk";
    const std::tuple<std::string, std::string, std::string, int, std::string> cases[] = {
        // clang-format off
        {good, "deck.in", "", 0, "Listing written to \"deck.out\".\n"},
        {good, "deck.in named.lst", "", 0, "Listing written to \"named.lst\".\n"},
        {"", "--help", none, 0, UsageText()},
        {"", "a b c", none, 2, UsageText()},
        {"", "", none, 2, "NEC2d: no terminal and no display to ask for the deck on.\n" + UsageText()},
        {"", "deck.in", none, 1, "NEC2d: Cannot read the deck \"deck.in\": No such file or directory.\n"},
        {kSparse, "deck.in", none, 1, "NEC2d: Cannot read the deck \"deck.in\": larger than the 64 MB "
                                      "a file may have here.\n"},
        {"GW 1 5.5", "deck.in", none, 1, "NEC2d: The deck \"deck.in\" has an error. Line 1: field 2 "
                                         "of the GW card must be a whole number, not \"5.5\".\n"},
        {good, "deck.in no/x", none, 1, "NEC2d: Cannot write the listing \"no/x\": No such file or directory.\n"},
        {good, "deck.in deck.in", none, 1, "NEC2d: The listing would overwrite the deck \"deck.in\"; "
                                           "choose another name for it.\n"},
        {good, "deck.in", none, 1, "NEC2d: nec2c, the NEC2 engine that NEC2d runs, was not found. "
                                   "Install the Debian package nec2c.\n"},
        {"GW 1 9 0 0 -.25 0 0 .25 0\nGE\nXQ\n", "deck.in", "", 1, "NEC2d: nec2c rejected the deck: GEOMETRY DATA CARD ERROR\n"},
        {good, "deck.in", "kill -SEGV $$", 1, "NEC2d: nec2c stopped abnormally (signal 11).\n"},
        {good, "deck.in", "exit 3", 1, "NEC2d: nec2c rejected the deck: it gave no reason (exit code 3).\n"},
        {good, "deck.in", "printf '\\nfloating point exception\\n\\n' >&2; exit 8", 1,
         "NEC2d: nec2c rejected the deck: floating point exception\n"},
        {"CM no wires\nCE\nGE\nFR 0 1 0 0 7\nEN", "deck.in", none, 1,
         "NEC2d: The deck \"deck.in\" has no wires to solve.\n"},
        {good, "deck.in", "echo '  WIRE' > deck.out", 1, "NEC2d: nec2c's output ended early.\n"},
        {good, "deck.in", "truncate -s 200G deck.out", 1, "NEC2d: Cannot read nec2c's output: larger "
                                                         "than the 2048 MB a file may have here.\n"},
        // The reason comes after nec2c's echo of the cards.
        {good, "deck.in", "printf '  DATA CARD No: 2 FR\\n  CARD ERROR:\\n  NO MNEMONIC\\n' >deck.out; exit 1",
         1, "NEC2d: nec2c rejected the deck: CARD ERROR: NO MNEMONIC\n"},
        // clang-format on
    };
    for (const auto& [deck, arguments, engine, exitCode, text] : cases) {
        SCOPED_TRACE(text);
        CScratchFolder folder, temporary;
        Prepare(folder, deck, engine == none ? "" : engine);
        if (deck == kSparse) fs::resize_file(folder / "deck.in", kLargestDeck + 1);
        // TMPDIR as a user may give it: relative to the folder NEC2d starts in.
        const auto [code, out, err] = RunProgram(
            folder.path, "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY TMPDIR=" +
                             fs::relative(temporary.path, folder.path).string() +
                             " PATH=" + (folder / "bin").string() +
                             (engine == none ? " " : ":$PATH ") + NEC2D_PROGRAM " " + arguments);
        EXPECT_EQ(code, exitCode);
        EXPECT_EQ(out + "|" + err, exitCode == 0 ? text + "|" : "|" + text);
        // A listing is there when the run says so, a failure keeps the old one,
        // and nothing else is left behind.
        for (const std::string name : {"deck.out", "named.lst"})
            EXPECT_EQ(ReadListingFile(folder / name).has_value(),
                      text == "Listing written to \"" + name + "\".\n");
        EXPECT_TRUE(exitCode == 0 || Bytes(folder / "deck.out") == "old listing\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}),
                  2 + !deck.empty() + fs::exists(folder / "named.lst"));
        EXPECT_TRUE(fs::is_empty(temporary.path));
    }
}

// A run stopped by TERM, INT or HUP, or cut short by a file-size limit, stops
// nec2c and leaves no temporary file or folder, nor a changed listing; NEC2d's
// status says what happened.
TEST(Nec2dProgramTest, AStoppedRunLeavesNothingBehind) {
    SKIP_WITHOUT_NEC2C();
    const std::string nec2c = std::get<1>(RunProgram("/", "printf %s \"$(command -v nec2c)\""));
    // The signal sent once nec2c runs (none: the run goes on), exit status, errors.
    const std::tuple<int, int, std::string> cases[] = {
        {SIGTERM, 128 + SIGTERM, ""},
        {SIGINT, 128 + SIGINT, ""},
        {SIGHUP, 128 + SIGHUP, ""},
        {0, 1, "NEC2d: Cannot write the listing \"deck.out\": File too large.\n"},
    };
    for (const auto& [stop, exitCode, text] : cases) {
        SCOPED_TRACE(stop);
        CScratchFolder folder, temporary, records;
        // nec2c tells its process id and waits to be stopped; under the limit
        // it runs free of it, so that NEC2d's listing is what outgrows it.
        const std::string pid = (records / "engine.pid").string();
        Prepare(folder, Bytes(SolverDataFile("quadrell_default.in")),
                stop ? "echo $$ >" + pid + "~; mv " + pid + "~ " + pid + "; exec sleep 30"
                     : "ulimit -S -f unlimited; exec " + nec2c + " \"$@\"");
        const std::string command =
            "cd " + folder.path.string() + (stop ? "" : " && ulimit -S -f 4") +
            " && exec env --default-signal=TERM,INT,HUP -u QT_QPA_PLATFORM -u DISPLAY -u "
            "WAYLAND_DISPLAY TMPDIR=" +
            temporary.path.string() + " PATH=" + (folder / "bin").string() +
            ":$PATH " NEC2D_PROGRAM " deck.in </dev/null 2>" + (records / "err").string();
        const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t nec2d = 0;
        ASSERT_EQ(
            posix_spawn(&nec2d, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ), 0);
        pid_t engine = 0;
        for (int i = 0; stop && i < 1000 && !fs::exists(pid); ++i) ::usleep(10000);
        if (stop && (engine = std::atoi(Bytes(pid).c_str())) > 0) ::kill(nec2d, stop);
        int status = 0;
        ::waitpid(nec2d, &status, 0);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), exitCode);
        EXPECT_EQ(Bytes(records / "err"), text);
        if (engine > 0) {
            EXPECT_TRUE(::kill(engine, 0) != 0 && errno == ESRCH) << "nec2c still runs";
            ::kill(engine, SIGKILL);
        }
        EXPECT_TRUE(fs::is_empty(temporary.path));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 3);
        EXPECT_EQ(Bytes(folder / "deck.out"), "old listing\r\n");
    }
}

// On a terminal each frequency of a sweep is told once, in order, split or
// not; with no terminal nothing is.
TEST(Nec2dProgramTest, TellsEachFrequencySolvedOnATerminal) {
    SKIP_WITHOUT_NEC2C();
    const std::string told =
        "1 of 3 frequencies solved\n2 of 3 frequencies solved\n"
        "3 of 3 frequencies solved\n";
    // Jobs, and whether NEC2d is on a terminal.
    for (const auto& [jobs, shown] : {std::pair{"2", true}, {"1", true}, {"3", false}}) {
        CScratchFolder folder;
        const std::string listing = (folder / "run.out").string();
        std::ostringstream out, err;
        RunWithArguments(
            {"-j", jobs, SolverDataFile("quadrell_sweep.in").string(), listing}, out, err,
            [](const SolverRequest& run) { return RunSolver(run); }, shown);
        EXPECT_EQ(out.str() + err.str(),
                  (shown ? told : "") + "Listing written to \"" + listing + "\".\n");
    }
}

// The console dialogue offers the folder's newest deck and its listing.
TEST(Nec2dProgramTest, ConsoleOffersTheNewestDeckAndItsListing) {
    CScratchFolder folder;
    WriteTextFile(folder / "a.in", "EN\n");
    fs::create_directory(folder / "empty");
    // Exit code, output after the greeting, and errors, with a stand-in run
    // that names its listing.
    const auto talk = [](const fs::path& in, const std::string& typed, bool succeeds) {
        std::istringstream input(typed);
        std::ostringstream out, err;
        const int exitCode = RunConsoleDialogue(input, out, err, in, [&](const SolverRequest& run) {
            return SolverOutcome{succeeds, "Listing " + run.listing.string()};
        });
        const std::string hello = "NEC2d: NEC2 antenna solver (engine nec2c)\n";
        EXPECT_TRUE(out.str().starts_with(hello));
        return std::to_string(exitCode) + "|" + out.str().substr(hello.size()) + "|" + err.str();
    };
    // clang-format off
    EXPECT_EQ(talk(folder.path, "\n\n", true),
              "0|Deck to read [a.in]: Listing to write [a.out]: Running nec2c on a.in ...\nListing a.out\n|");
    EXPECT_EQ(talk(folder.path, "  d.x/deck \nresult.lst\n", false),
              "1|Deck to read [a.in]: Listing to write [d.x/deck.out]: Running nec2c on d.x/deck ...\n"
              "|NEC2d: Listing result.lst\n");
    // Without a deck to offer it asks again; the end of the input ends it.
    EXPECT_EQ(talk(folder / "empty", "\n\ndeck.in\n", true),
              "2|Deck to read: Deck to read: Deck to read: Listing to write [deck.out]: \n|");
    // clang-format on
}

}  // namespace
