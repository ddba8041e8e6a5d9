#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "nec/SolverLaunch.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// A fresh folder, the fake solver's record folder set in the environment the
// launched program inherits, and everything undone afterwards.
class SolverLaunchTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "launch-test.XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        fs::create_directory(m_folder / "records");
        fs::create_directory(m_folder / "empty");
        ::setenv("QUADRELL_FAKE_SOLVER_RECORDS", (m_folder / "records").c_str(), 1);
        const char* path = std::getenv("PATH");
        m_path = path ? path : "";
    }
    void TearDown() override {
        ::unsetenv("QUADRELL_FAKE_SOLVER_RECORDS");
        ::unsetenv("QUADRELL_FAKE_SOLVER_STAY_MS");
        ::setenv("PATH", m_path.c_str(), 1);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // The fake solvers' records, once `count` of them are there (or after 10 s).
    std::vector<std::map<std::string, std::string>> Records(std::size_t count) {
        std::vector<std::map<std::string, std::string>> records;
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        do {
            records.clear();
            for (const auto& entry : fs::directory_iterator(m_folder / "records")) {
                if (entry.path().extension() != ".rec") continue;
                std::ifstream file(entry.path());
                std::map<std::string, std::string> record;
                for (std::string line; std::getline(file, line);) {
                    const std::size_t equals = line.find('=');
                    record[line.substr(0, equals)] = line.substr(equals + 1);
                }
                records.push_back(record);
            }
            if (records.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (Clock::now() < deadline);
        return records;
    }

    fs::path m_folder;
    std::string m_path;
};

// Finished children of this process that nobody reaped.
int OwnZombies() {
    int zombies = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // pid (name) state ppid ...
        const std::size_t close = line.rfind(')');
        if (close == std::string::npos || close + 4 >= line.size()) continue;
        const char state = line[close + 2];
        const int parent = std::atoi(line.c_str() + close + 4);
        if (state == 'Z' && parent == ::getpid()) ++zombies;
    }
    return zombies;
}

bool Gone(pid_t pid) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        if (::kill(pid, 0) != 0 && errno == ESRCH) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

std::string Link(const std::string& path) {
    std::error_code error;
    return fs::read_symlink(path, error).string();
}

TEST_F(SolverLaunchTest, TwoLaunchesStartTwoSolversOnTheirOwn) {
    // A descriptor without close-on-exec, which a careless start would hand on.
    const int open = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(open, 3);
    LaunchNec2d(QUADRELL_FAKE_SOLVER_DIR, "NEC2d");
    LaunchNec2d(QUADRELL_FAKE_SOLVER_DIR, "NEC2d");
    ::close(open);

    const auto records = Records(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_NE(records[0].at("pid"), records[1].at("pid"));
    for (const auto& record : records) {
        const pid_t pid = std::atoi(record.at("pid").c_str());
        EXPECT_EQ(record.at("pgid"), record.at("pid")) << "own process group";
        EXPECT_NE(std::atoi(record.at("sid").c_str()), ::getsid(0)) << "own session";
        EXPECT_NE(std::atoi(record.at("pgid").c_str()), ::getpgid(0));
        EXPECT_EQ(record.at("argc"), "1");
        EXPECT_EQ(record.at("cwd"), fs::current_path().string());
        EXPECT_EQ(record.at("exe"), (fs::path(QUADRELL_FAKE_SOLVER_DIR) / "NEC2d").string());
        EXPECT_EQ(record.at("fds"), "0,1,2");
        EXPECT_EQ(record.at("stdout"), Link("/proc/self/fd/1"));
        EXPECT_TRUE(Gone(pid)) << "the solver ended and was reaped";
    }
    EXPECT_EQ(OwnZombies(), 0);
}

TEST_F(SolverLaunchTest, ReturnsAtOnceWhileTheSolverRuns) {
    ::setenv("QUADRELL_FAKE_SOLVER_STAY_MS", "1500", 1);
    const auto start = Clock::now();
    LaunchNec2d(QUADRELL_FAKE_SOLVER_DIR, "NEC2d");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    const auto records = Records(1);
    ASSERT_EQ(records.size(), 1u);
    const pid_t pid = std::atoi(records[0].at("pid").c_str());
    EXPECT_EQ(::kill(pid, 0), 0) << "still running";
    EXPECT_EQ(OwnZombies(), 0);
    EXPECT_TRUE(Gone(pid));
    EXPECT_EQ(OwnZombies(), 0);
}

TEST_F(SolverLaunchTest, LooksInTheGivenFolderFirstThenOnPath) {
    const fs::path copy = m_folder / "first" / "NEC2d";
    fs::create_directory(m_folder / "first");
    fs::copy_file(fs::path(QUADRELL_FAKE_SOLVER_DIR) / "NEC2d", copy);
    ::setenv("PATH", QUADRELL_FAKE_SOLVER_DIR, 1);

    LaunchNec2d((m_folder / "first").string(), "NEC2d");
    auto records = Records(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("exe"), copy.string());
    fs::remove(m_folder / "records" / (records[0].at("pid") + ".rec"));

    LaunchNec2d((m_folder / "empty").string(), "NEC2d");
    records = Records(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].at("exe"), (fs::path(QUADRELL_FAKE_SOLVER_DIR) / "NEC2d").string());
}

TEST_F(SolverLaunchTest, MissingProgramDoesNothingVisible) {
    ::setenv("PATH", (m_folder / "empty").c_str(), 1);
    const int windows = static_cast<int>(QApplication::topLevelWidgets().size());
    const auto start = Clock::now();
    LaunchNec2d((m_folder / "empty").string(), "NEC2d");
    LaunchNec2d(QUADRELL_FAKE_SOLVER_DIR, "NoSuchSolver");
    // A file that is there but may not be run is no program either.
    std::ofstream(m_folder / "empty" / "NEC2d") << "#!/bin/sh\n";
    LaunchNec2d((m_folder / "empty").string(), "NEC2d");
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windows);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(Records(0).empty());
    EXPECT_EQ(OwnZombies(), 0);
}

}  // namespace
