#include "solver/SolverRun.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "nec/WholeFile.h"
#include "solver/DeckReader.h"
#include "solver/ListingBuilder.h"
#include "solver/ListingFile.h"
#include "solver/ListingLayout.h"
#include "solver/Nec2cColumns.h"
#include "solver/StoppableRun.h"
#include "solver/SweepProgress.h"
#include "solver/SweepSplit.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDeckName = "deck.nec";
constexpr const char* kOutputName = "deck.out";
constexpr const char* kLogName = "engine.log";

std::string ErrorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

bool WriteFile(const fs::path& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) text.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::close(fd) == 0 && ok;
}

// The private folder nec2c runs in; it goes, with all nec2c left in it, when
// the run ends.
class CTemporaryFolder {
  public:
    CTemporaryFolder() {
        const char* base = std::getenv("TMPDIR");
        const fs::path given = base && *base ? base : "/tmp";
        // nec2c runs inside the folder, so a relative TMPDIR is made absolute
        // first, from NEC2d's current folder.
        std::error_code error;
        fs::path folder = fs::absolute(given, error);
        if (error) folder = given;
        std::string pattern = (folder / "NEC2d.XXXXXX").string();
        if (::mkdtemp(pattern.data())) {
            m_path = pattern;
        } else {
            m_error = errno;
        }
    }
    ~CTemporaryFolder() {
        std::error_code ignored;
        if (!m_path.empty()) fs::remove_all(m_path, ignored);
    }
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    const fs::path& Path() const { return m_path; }
    int Error() const { return m_error; }

  private:
    fs::path m_path;
    int m_error = 0;
};

SolverOutcome Failure(std::string message) { return {false, std::move(message)}; }

std::string Quoted(const fs::path& path) {
    std::string quoted = "\"";
    quoted.append(path.string()).append("\"");
    return quoted;
}

std::string_view TrimmedLine(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

// nec2c prints "TOTAL RUN TIME" as its last words; output without them was
// cut short.
bool OutputIsComplete(std::string_view output) {
    const std::size_t tail = output.size() > 4096 ? output.size() - 4096 : 0;
    return output.find("TOTAL RUN TIME", tail) != std::string_view::npos;
}

// Lines gathered from the end of a text, put back in their order on one line.
std::string JoinedInOrder(const std::vector<std::string_view>& fromTheEnd) {
    std::string joined;
    for (auto text = fromTheEnd.rbegin(); text != fromTheEnd.rend(); ++text)
        (joined.empty() ? joined : joined += ' ') += *text;
    return joined;
}

// The last words nec2c wrote on its error stream, blank lines left out.
std::string LastLines(std::string_view log) {
    constexpr std::size_t kLinesShown = 2;
    std::vector<std::string_view> shown;
    const std::vector<std::string_view> lines = SplitLines(log);
    for (auto line = lines.rbegin(); line != lines.rend() && shown.size() < kLinesShown; ++line) {
        const std::string_view text = TrimmedLine(*line);
        if (!text.empty()) shown.push_back(text);
    }
    return JoinedInOrder(shown);
}

// True when some card of the deck makes wires or patches for nec2c to solve.
bool HasStructure(const std::vector<DeckCard>& cards) {
    for (const DeckCard& card : cards) {
        for (const char* maker : {"GW", "GA", "GH", "SP", "SM"}) {
            if (card.mnemonic == maker) return true;
        }
    }
    return false;
}

SolverOutcome EngineFailure(const EngineResult& engine, const fs::path& folder) {
    std::string output;
    std::string ignored;
    ReadWholeFile(folder / kOutputName, output, ignored, kLargestEngineOutput);
    std::string log;
    ReadWholeFile(folder / kLogName, log, ignored, kLargestEngineOutput);
    std::string detail = Nec2cErrorText(output);
    const std::string logText = LastLines(log);
    if (!logText.empty()) detail += (detail.empty() ? "" : " ") + logText;

    switch (engine.status) {
        case EngineResult::NOT_FOUND:
            return Failure(
                "nec2c, the NEC2 engine that NEC2d runs, was not found. Install the Debian "
                "package nec2c.");
        case EngineResult::NOT_STARTED:
            return Failure("nec2c could not be started: " + engine.errorText + ".");
        case EngineResult::CANCELLED:
            return Failure("The run was stopped.");
        case EngineResult::SIGNALLED:
            return Failure("nec2c stopped abnormally (signal " + std::to_string(engine.signal) +
                           ")." + (detail.empty() ? "" : " " + detail));
        case EngineResult::FINISHED:
            break;
    }
    if (detail.empty())
        detail = "it gave no reason (exit code " + std::to_string(engine.exitCode) + ").";
    return Failure("nec2c rejected the deck: " + detail);
}

std::vector<std::string> EngineArguments() {
    return {std::string("-i") + kDeckName, std::string("-o") + kOutputName};
}

std::string TooLargeText() {
    return "larger than the " + std::to_string(kLargestEngineOutput >> 20) +
           " MB a file may have here";
}

enum class SplitRun { JOINED, UNJOINABLE, FAILED };

// Solves the sweep in parts, at most `jobs` of them at once, each in a folder
// of its own under `folder`. JOINED leaves the whole deck's output in
// `output`; FAILED the reason in `failure`; UNJOINABLE says the parts' outputs
// did not fit together, and the deck is better solved in one process.
SplitRun RunSplit(const SolverRequest& request, const std::vector<DeckCard>& cards,
                  const SweepShape& sweep, long jobs, const fs::path& folder, CCancelToken& token,
                  std::string& output, SolverOutcome& failure) {
    const std::vector<long> steps = PartSteps(sweep.steps, static_cast<std::size_t>(jobs));
    const std::vector<std::vector<DeckCard>> decks = SplitSweep(cards, sweep, steps);
    const std::size_t parts = decks.size();
    std::vector<fs::path> folders;
    for (std::size_t k = 0; k < parts; ++k) {
        folders.push_back(folder / ("part" + std::to_string(k + 1)));
        std::error_code error;
        fs::create_directory(folders.back(), error);
        if (error || !WriteFile(folders.back() / kDeckName, CleanDeckText(decks[k]))) {
            failure = Failure("Cannot write nec2c's deck in " + Quoted(folders.back()) + ".");
            return SplitRun::FAILED;
        }
    }

    std::vector<fs::path> written;
    for (const fs::path& part : folders) written.push_back(part / kOutputName);
    CSweepProgress progress(written, steps, request.onEachFrequency);
    std::mutex mutex;
    std::size_t next = 0;
    std::optional<std::size_t> failedPart;
    EngineResult failedEngine;
    long solved = 0;
    const auto work = [&] {
        while (true) {
            std::size_t k = 0;
            {
                std::lock_guard lock(mutex);
                if (failedPart || next == parts) return;
                k = next++;
            }
            const EngineResult engine =
                RunEngine(request.engine, EngineArguments(), folders[k], kLogName, &token);
            std::lock_guard lock(mutex);
            if (failedPart) return;
            if (engine.status != EngineResult::FINISHED || engine.exitCode != 0) {
                // The first part to fail tells why; the others are not needed.
                failedPart = k;
                failedEngine = engine;
                token.KillRunning();
                return;
            }
            progress.PartSolved(k);
            solved += steps[k];
            if (request.onFrequenciesSolved) request.onFrequenciesSolved(solved, sweep.steps);
        }
    };
    std::vector<std::thread> workers;
    try {
        for (std::size_t k = 1; k < parts; ++k) workers.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than parts only take longer: the ones there take all.
    }
    work();
    for (std::thread& worker : workers) worker.join();
    if (failedPart) {
        failure = EngineFailure(failedEngine, folders[*failedPart]);
        return SplitRun::FAILED;
    }

    std::vector<std::string> outputs(parts);
    std::size_t size = 0;
    for (std::size_t k = 0; k < parts; ++k) {
        std::string error;
        if (!ReadWholeFile(folders[k] / kOutputName, outputs[k], error, kLargestEngineOutput)) {
            failure = Failure("Cannot read nec2c's output: " + error + ".");
            return SplitRun::FAILED;
        }
        if (!OutputIsComplete(outputs[k])) {
            failure = Failure("nec2c's output ended early.");
            return SplitRun::FAILED;
        }
        size += outputs[k].size();
    }
    // The joined output is bound as one run's output is.
    if (size > kLargestEngineOutput) {
        failure = Failure("Cannot read nec2c's output: " + TooLargeText() + ".");
        return SplitRun::FAILED;
    }
    return JoinSweepOutputs(outputs, steps, output) ? SplitRun::JOINED : SplitRun::UNJOINABLE;
}

}  // namespace

fs::path DefaultListingFor(const fs::path& deck) {
    fs::path listing = deck;
    listing.replace_extension("out");
    return listing;
}

fs::path NewestDeckIn(const fs::path& folder) {
    std::error_code error;
    fs::path newest;
    fs::file_time_type newestTime;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".in" || !entry.is_regular_file(error)) continue;
        const fs::file_time_type time = entry.last_write_time(error);
        if (error) continue;
        if (newest.empty() || time > newestTime ||
            (time == newestTime && entry.path().filename() < newest.filename())) {
            newest = entry.path();
            newestTime = time;
        }
    }
    return newest;
}

std::string Nec2cErrorText(std::string_view output) {
    std::vector<std::string_view> lines = SplitLines(output);
    while (!lines.empty() && TrimmedLine(lines.back()).empty()) lines.pop_back();
    // The reason stands in the last few lines, after the echo of the cards
    // and tables that nec2c had read.
    std::vector<std::string_view> reason;
    for (auto line = lines.rbegin(); line != lines.rend() && reason.size() < 3; ++line) {
        const std::string_view text = TrimmedLine(*line);
        if (text.empty() || text.starts_with("DATA CARD No:") ||
            (text.front() >= '0' && text.front() <= '9') || text.front() == '-')
            break;
        reason.push_back(text);
    }
    return JoinedInOrder(reason);
}

SolverOutcome RunSolver(const SolverRequest& request, CCancelToken* cancel) {
    const auto start = std::chrono::steady_clock::now();

    std::string deckText;
    std::string error;
    if (request.deck.empty()) return Failure("No deck was given.");
    if (!ReadWholeFile(request.deck, deckText, error, kLargestDeck))
        return Failure("Cannot read the deck " + Quoted(request.deck) + ": " + error + ".");
    const DeckReadResult deck = ReadDeck(deckText);
    if (!deck.ok)
        return Failure("The deck " + Quoted(request.deck) + " has an error. " + deck.errorText);
    // nec2c would stop on it with a division by zero and no word of why.
    if (!HasStructure(deck.cards))
        return Failure("The deck " + Quoted(request.deck) + " has no wires to solve.");

    if (request.listing.empty()) return Failure("No listing name was given.");
    std::error_code same;
    if (fs::equivalent(request.deck, request.listing, same))
        return Failure("The listing would overwrite the deck " + Quoted(request.deck) +
                       "; choose another name for it.");
    // Whatever stops NEC2d from here on stops the run through its token, and
    // ends NEC2d only when the temporary files made below are gone.
    CCancelToken ownToken;
    CCancelToken& token = cancel ? *cancel : ownToken;
    const CStoppableRun running(token);
    // The listing's place is tried before nec2c works for minutes.
    CListingFile listing(request.listing);
    if (!listing.IsGood())
        return Failure("Cannot write the listing " + Quoted(request.listing) + ": " +
                       listing.ErrorText() + ".");

    CTemporaryFolder folder;
    if (folder.Path().empty())
        return Failure("Cannot make a temporary folder for nec2c: " + ErrorText(folder.Error()) +
                       ".");

    std::string output;
    bool joined = false;
    const std::optional<SweepShape> sweep = SplittableSweep(deck.cards);
    const long jobs = request.jobs > 0 ? request.jobs : AvailableProcessors();
    if (sweep && jobs > 1) {
        SolverOutcome failure;
        const SplitRun split =
            RunSplit(request, deck.cards, *sweep, jobs, folder.Path(), token, output, failure);
        if (split == SplitRun::FAILED) return failure;
        joined = split == SplitRun::JOINED;
    }
    if (!joined) {
        if (!WriteFile(folder.Path() / kDeckName, CleanDeckText(deck.cards)))
            return Failure("Cannot write nec2c's deck in " + Quoted(folder.Path()) + ".");
        CSweepProgress progress({folder.Path() / kOutputName}, {sweep ? sweep->steps : 0},
                                sweep ? request.onEachFrequency : nullptr);
        const EngineResult engine =
            RunEngine(request.engine, EngineArguments(), folder.Path(), kLogName, &token);
        if (engine.status != EngineResult::FINISHED || engine.exitCode != 0)
            return EngineFailure(engine, folder.Path());
        progress.PartSolved(0);
        if (!ReadWholeFile(folder.Path() / kOutputName, output, error, kLargestEngineOutput))
            return Failure("Cannot read nec2c's output: " + error + ".");
        if (!OutputIsComplete(output)) return Failure("nec2c's output ended early.");
    }

    const ListingBuildResult built =
        BuildListing(output, deck.cards, request.deck.string(), listing);
    if (!built.ok) return Failure(built.errorText);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    listing.WriteLine(RunTimeLine(elapsed.count()));
    if (token.IsCancelled()) return Failure("The run was stopped.");
    if (!listing.Commit())
        return Failure("Cannot write the listing " + Quoted(request.listing) + ": " +
                       listing.ErrorText() + ".");
    return {true, "Listing written to " + Quoted(request.listing) + "."};
}
