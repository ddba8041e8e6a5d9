#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

namespace {

// A write past the file-size limit raises SIGXFSZ, which would end the
// program and every open design with it; ignored, the write fails with
// "File too large" and is reported as any other.
TEST(QuadrellProgram, LivesThroughTheSignalOfAWritePastTheSizeLimit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        const struct rlimit noCore {};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::execl(QUADRELL_PROGRAM, "quadrell", nullptr);
        ::_exit(127);
    }
    const auto ignores = [child] {
        std::ifstream status("/proc/" + std::to_string(child) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("SigIgn:", 0) == 0)
                return (std::stoull(line.substr(7), nullptr, 16) >> (SIGXFSZ - 1) & 1) != 0;
        return false;
    };
    using namespace std::chrono_literals;
    for (int wait = 0; wait < 200 && !ignores(); ++wait) std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(ignores());
    ::kill(child, SIGXFSZ);
    std::this_thread::sleep_for(300ms);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
}

}  // namespace
