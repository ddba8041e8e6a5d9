#include "solver/ConsoleDialogue.h"

#include <charconv>
#include <istream>
#include <ostream>

namespace fs = std::filesystem;

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    const std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

// One answer: the line typed, or the offered default when it is empty.
// False at the end of the input.
bool Ask(std::istream& in, std::ostream& out, const std::string& question,
         const std::string& offered, std::string& answer) {
    while (true) {
        out << question;
        if (!offered.empty()) out << " [" << offered << "]";
        out << ": " << std::flush;
        std::string line;
        if (!std::getline(in, line)) {
            out << '\n';
            return false;
        }
        answer = Trimmed(line);
        if (answer.empty()) answer = offered;
        if (!answer.empty()) return true;
    }
}

int Report(const SolverOutcome& outcome, std::ostream& out, std::ostream& err) {
    if (outcome.ok) {
        out << outcome.message << '\n';
        return kExitSuccess;
    }
    err << "NEC2d: " << outcome.message << '\n';
    return kExitRunFailed;
}

// The number of -j: digits only, 1 or more, within reason.
bool ReadJobs(const std::string& text, int& jobs) {
    constexpr int kMostJobs = 4096;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMostJobs)
        return false;
    jobs = value;
    return true;
}

// Tells each frequency solved on a line of its own.
void ShowProgress(SolverRequest& request, std::ostream& out) {
    request.onEachFrequency = [&out](long solved, long total) {
        out << solved << " of " << total << " frequencies solved" << std::endl;
    };
}

}  // namespace

std::string UsageText() {
    return "Usage: NEC2d [-j N | --jobs N] [DECK [LISTING]]\n"
           "Runs the NEC2 deck DECK with nec2c and writes the listing LISTING\n"
           "(by default the deck's name with the extension \"out\").\n"
           "A frequency sweep is split among up to N nec2c processes running at once,\n"
           "by default one per processor available, never more than the sweep's steps;\n"
           "the listing is the same. -j 1 solves every deck in one process.\n"
           "With no arguments NEC2d asks for both names: on the terminal when it has\n"
           "one, otherwise in a window of its own.\n"
           "Exit status: 0 when the listing is written, 1 when the run fails, 2 for a\n"
           "wrong call, and 128 plus the signal's number when TERM, INT or HUP stops\n"
           "it; a stopped run leaves no temporary file behind.\n";
}

int RunWithArguments(const std::vector<std::string>& given, std::ostream& out, std::ostream& err,
                     const SolverFunction& solve, bool showProgress) {
    if (!given.empty() && (given[0] == "-h" || given[0] == "--help")) {
        out << UsageText();
        return kExitSuccess;
    }
    SolverRequest request;
    std::vector<std::string> arguments;
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (given[i] != "-j" && given[i] != "--jobs") {
            arguments.push_back(given[i]);
            continue;
        }
        if (i + 1 == given.size() || !ReadJobs(given[i + 1], request.jobs)) {
            err << "NEC2d: " << given[i] << " needs a whole number of processes, 1 or more.\n"
                << UsageText();
            return kExitUsage;
        }
        ++i;
    }
    if (arguments.empty() || arguments.size() > 2 || arguments[0].empty()) {
        err << UsageText();
        return kExitUsage;
    }
    request.deck = arguments[0];
    request.listing =
        arguments.size() == 2 ? fs::path(arguments[1]) : DefaultListingFor(request.deck);
    if (showProgress) ShowProgress(request, out);
    return Report(solve(request), out, err);
}

int RunConsoleDialogue(std::istream& in, std::ostream& out, std::ostream& err,
                       const fs::path& folder, const SolverFunction& solve, bool showProgress) {
    out << "NEC2d: NEC2 antenna solver (engine nec2c)\n";
    const fs::path newest = NewestDeckIn(folder);
    SolverRequest request;
    std::string answer;
    if (!Ask(in, out, "Deck to read", newest.filename().string(), answer)) return kExitUsage;
    request.deck = answer;
    if (!Ask(in, out, "Listing to write", DefaultListingFor(request.deck).string(), answer))
        return kExitUsage;
    request.listing = answer;
    out << "Running nec2c on " << request.deck.string() << " ..." << std::endl;
    if (showProgress) ShowProgress(request, out);
    return Report(solve(request), out, err);
}
