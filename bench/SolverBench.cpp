// NEC2d's cost over nec2c alone: both run as programs on the same deck of 800
// segments with a full-sphere pattern in 1 degree steps (181 x 361
// directions). NEC2d must stay within 1.10 times nec2c's time.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
// code, or -1 when it could not be started.
int Run(const std::string& program, std::vector<std::string> arguments) {
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
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return status >= 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

}  // namespace

BENCHMARK(BM_Nec2cAlone)
    ->Iterations(3)
    ->Repetitions(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nec2d)->Iterations(3)->Repetitions(2)->UseRealTime()->Unit(benchmark::kMillisecond);
