// NEC2d's cost over nec2c alone: both run as programs on the same deck of 800
// segments with a full-sphere pattern in 1 degree steps (181 x 361
// directions, an 8 MB listing). NEC2d must stay within 1.10 times nec2c's
// time. BM_Nec2dOverNec2c runs the two in turns and reports the ratio;
// BM_Nec2dOwnShare times NEC2d alone with nec2c's output handed back at once.
// Each reports its peak memory beside nec2c's.
//
// A sweep's frequencies are solved by several nec2c processes at once:
// BM_SweepOverNec2c runs an 8-step sweep of 400 segments with a 5 degree
// sphere with 1, 2 and 4 jobs (and the default, one per processor), each in
// turns with nec2c alone; BM_SweepSteps shows how the ratio grows with the
// number of steps at the default jobs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "solver/DeckReader.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Eight parallel dipoles of 100 segments each, fed in the middle of the first.
std::string BenchDeck() {
    std::string deck = "CM NEC2d benchmark: 800 segments, full sphere in 1 degree steps\nCE\n";
    for (int i = 0; i < 8; ++i) {
        const std::string x = std::to_string(0.5 * i);
        deck += "GW " + std::to_string(i + 1) + " 100 " + x + " 0 -2.5 " + x + " 0 2.5 .001\n";
    }
    deck += "GE\nEX 0 1 50 0 1.\nFR 0 1 0 0 30\nRP 0 181 361 1000 0 0 1 1\nEN\n";
    return deck;
}

// Four parallel dipoles of 100 segments each, swept over `steps` frequencies
// with a full sphere in 5 degree steps at each.
std::string SweepDeck(int steps) {
    std::string deck = "CM NEC2d benchmark: 400 segments swept\nCE\n";
    for (int i = 0; i < 4; ++i) {
        const std::string x = std::to_string(5 * i);
        deck += "GW " + std::to_string(i + 1) + " 100 " + x + " 0 -10.5 " + x + " 0 10.5 .005\n";
    }
    deck += "GE\nEX 0 1 50 0 1\nFR 0 " + std::to_string(steps) +
            " 0 0 7.0 0.02\nRP 0 37 73 1000 0 0 5 5\nEN\n";
    return deck;
}

struct BenchFolder {
    fs::path path;
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "nec2d-bench.XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
        std::ofstream(path / "bench.nec") << BenchDeck();
        for (const int steps : {2, 4, 8, 16})
            std::ofstream(path / ("sweep" + std::to_string(steps) + ".nec")) << SweepDeck(steps);
        // A stand-in engine that hands back nec2c's recorded output at once,
        // so that NEC2d's own share of a run can be timed apart from nec2c's.
        fs::create_directory(path / "recorded");
        std::ofstream(path / "recorded" / "nec2c")
            << "#!/bin/sh\ncp " << (path / "recorded.out").string() << " deck.out\n";
        fs::permissions(path / "recorded" / "nec2c", fs::perms::owner_all);
    }
    ~BenchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

const BenchFolder& Folder() {
    static const BenchFolder folder;
    return folder;
}

fs::path Nec2dProgram() {
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path() / "NEC2d";
}

struct Ran {
    int exitCode = -1;  // -1 when the program could not be started
    double peakMB = 0;  // the largest resident size of it or any child it waited for
};

// Runs a program in the bench folder with its output thrown away. `path`,
// when given, replaces PATH.
Ran Run(const std::string& program, std::vector<std::string> arguments,
        const std::string& path = {}) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        if (path.empty() || std::string_view(*entry).substr(0, 5) != "PATH=")
            variables.emplace_back(*entry);
    }
    if (!path.empty()) variables.push_back("PATH=" + path);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, Folder().path.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int status = -1;
    rusage usage{};
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return {status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// nec2c and NEC2d on one deck in turns, so that both meet the same load on a
// shared machine; the counter "ratio" is NEC2d's total time over nec2c's.
void RunInTurns(benchmark::State& state, const std::string& deck,
                std::vector<std::string> nec2dArguments) {
    using Clock = std::chrono::steady_clock;
    const std::string program = Nec2dProgram().string();
    nec2dArguments.push_back(deck);
    nec2dArguments.push_back("bench.lst");
    Clock::duration alone{};
    Clock::duration wrapped{};
    double enginePeak = 0, solverPeak = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const Ran engine = Run("nec2c", {"-i" + deck, "-obench.out"});
        const auto middle = Clock::now();
        const Ran solver = Run(program, nec2dArguments);
        const auto end = Clock::now();
        if (engine.exitCode != 0 || solver.exitCode != 0) {
            state.SkipWithError("nec2c or NEC2d did not run");
            return;
        }
        alone += middle - start;
        wrapped += end - middle;
        enginePeak = std::max(enginePeak, engine.peakMB);
        solverPeak = std::max(solverPeak, solver.peakMB);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["nec2c_s"] = Seconds(alone) / iterations;
    state.counters["NEC2d_s"] = Seconds(wrapped) / iterations;
    state.counters["ratio"] = Seconds(wrapped) / Seconds(alone);
    state.counters["nec2c_peak_MB"] = enginePeak;
    // NEC2d's or its largest nec2c's, whichever is larger.
    state.counters["NEC2d_peak_MB"] = solverPeak;
}

// A deck with a comment line of 5 MB: it is cut into CM cards in time that
// grows with its length, not with its square.
void BM_ReadDeckLongComment(benchmark::State& state) {
    std::string deck = "CM";
    while (deck.size() < 5'000'000) deck += " antenna";
    deck += "\nCE\nGW 1 9 0 0 -.25 0 0 .25 .001\nGE\nEN\n";
    for (auto _ : state) benchmark::DoNotOptimize(ReadDeck(deck));
    state.SetLabel(std::to_string(deck.size() >> 20) + " MB comment");
}
BENCHMARK(BM_ReadDeckLongComment)->Unit(benchmark::kMillisecond);

void BM_Nec2cAlone(benchmark::State& state) {
    for (auto _ : state) {
        const Ran engine = Run("nec2c", {"-ibench.nec", "-obench.out"});
        if (engine.exitCode != 0) {
            state.SkipWithError("nec2c did not run");
            break;
        }
        state.counters["peak_MB"] = engine.peakMB;
    }
}

void BM_Nec2d(benchmark::State& state) {
    const std::string program = Nec2dProgram().string();
    for (auto _ : state) {
        if (Run(program, {"bench.nec", "bench.lst"}).exitCode != 0) {
            state.SkipWithError("NEC2d did not run");
            break;
        }
    }
    std::error_code error;
    state.counters["listing_MB"] =
        static_cast<double>(fs::file_size(Folder().path / "bench.lst", error)) / 1e6;
}

// NEC2d with the recorded engine: reading the deck, the temporary folder,
// starting the engine, and turning 8 MB of nec2c's output into the listing.
void BM_Nec2dOwnShare(benchmark::State& state) {
    const fs::path folder = Folder().path;
    if (Run("nec2c", {"-ibench.nec", "-orecorded.out"}).exitCode != 0) {
        state.SkipWithError("nec2c did not run");
        return;
    }
    const std::string program = Nec2dProgram().string();
    const std::string path = (folder / "recorded").string() + ":/usr/bin:/bin";
    for (auto _ : state) {
        const Ran solver = Run(program, {"bench.nec", "bench.lst"}, path);
        if (solver.exitCode != 0) {
            state.SkipWithError("NEC2d did not run");
            break;
        }
        // The recorded engine is a shell and cp, far smaller than NEC2d.
        state.counters["NEC2d_peak_MB"] = solver.peakMB;
    }
}

void BM_Nec2dOverNec2c(benchmark::State& state) { RunInTurns(state, "bench.nec", {}); }

// state.range(0) jobs; 0 asks for the default.
void BM_SweepOverNec2c(benchmark::State& state) {
    std::vector<std::string> arguments;
    if (state.range(0) > 0) arguments = {"-j", std::to_string(state.range(0))};
    RunInTurns(state, "sweep8.nec", arguments);
}

// state.range(0) steps, default jobs.
void BM_SweepSteps(benchmark::State& state) {
    RunInTurns(state, "sweep" + std::to_string(state.range(0)) + ".nec", {});
}

}  // namespace

BENCHMARK(BM_Nec2cAlone)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2d)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2dOwnShare)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2dOverNec2c)->Iterations(4)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepOverNec2c)
    ->ArgName("jobs")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(0)
    ->Iterations(6)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepSteps)
    ->ArgName("steps")
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->Iterations(4)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
