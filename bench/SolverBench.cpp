// NEC2d's cost over nec2c alone: both run as programs on the same deck of 800
// segments with a full-sphere pattern in 1 degree steps (181 x 361
// directions, an 8 MB listing). NEC2d must stay within 1.10 times nec2c's
// time. BM_Nec2dOverNec2c runs the two in turns and reports the ratio;
// BM_Nec2dOwnShare times NEC2d alone with nec2c's output handed back at once.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

struct BenchFolder {
    fs::path path;
    BenchFolder() {
        std::string pattern = (fs::temp_directory_path() / "nec2d-bench.XXXXXX").string();
        if (::mkdtemp(pattern.data())) path = pattern;
        std::ofstream(path / "bench.nec") << BenchDeck();
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

// Runs a program in the bench folder with its output thrown away; its exit
// code, or -1 when it could not be started. `path`, when given, replaces PATH.
int Run(const std::string& program, std::vector<std::string> arguments,
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
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
        if (Run("nec2c", {"-ibench.nec", "-obench.out"}) != 0) {
            state.SkipWithError("nec2c did not run");
            break;
        }
    }
}

void BM_Nec2d(benchmark::State& state) {
    const std::string program = Nec2dProgram().string();
    for (auto _ : state) {
        if (Run(program, {"bench.nec", "bench.lst"}) != 0) {
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
    if (Run("nec2c", {"-ibench.nec", "-orecorded.out"}) != 0) {
        state.SkipWithError("nec2c did not run");
        return;
    }
    const std::string program = Nec2dProgram().string();
    const std::string path = (folder / "recorded").string() + ":/usr/bin:/bin";
    for (auto _ : state) {
        if (Run(program, {"bench.nec", "bench.lst"}, path) != 0) {
            state.SkipWithError("NEC2d did not run");
            break;
        }
    }
}

// nec2c and NEC2d in turns, so that both meet the same load on a shared
// machine; the counter "ratio" is NEC2d's total time over nec2c's.
void BM_Nec2dOverNec2c(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const std::string program = Nec2dProgram().string();
    Clock::duration alone{};
    Clock::duration wrapped{};
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool ranAlone = Run("nec2c", {"-ibench.nec", "-obench.out"}) == 0;
        const auto middle = Clock::now();
        const bool ranWrapped = Run(program, {"bench.nec", "bench.lst"}) == 0;
        const auto end = Clock::now();
        if (!ranAlone || !ranWrapped) {
            state.SkipWithError("nec2c or NEC2d did not run");
            return;
        }
        alone += middle - start;
        wrapped += end - middle;
    }
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    state.counters["nec2c_s"] = seconds(alone) / static_cast<double>(state.iterations());
    state.counters["NEC2d_s"] = seconds(wrapped) / static_cast<double>(state.iterations());
    state.counters["ratio"] = seconds(wrapped) / seconds(alone);
}

}  // namespace

BENCHMARK(BM_Nec2cAlone)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2d)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2dOwnShare)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2dOverNec2c)->Iterations(4)->UseRealTime()->Unit(benchmark::kMillisecond);
