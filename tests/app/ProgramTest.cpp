#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

#include "app/UserGuide.h"

namespace {

// A write past the file-size limit raises SIGXFSZ, which would end the
// program and every open design with it; ignored, the write fails with
// "File too large" and is reported as any other.
TEST(QuadrellProgram, IgnoresTheSignalOfAWritePastTheSizeLimit) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
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
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

// Installed, only the guide beside bin/ serves; the program in the build
// tree's bin/ reads the source tree's copy.
TEST(UserGuide, IsFoundWhereItIsInstalledOrBesideTheBuildInTheSourceTree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("share/doc/quadrell"));
    const QString bin = prefix.filePath("bin");
    EXPECT_EQ(UserGuidePath(bin), QString());
    QFile installed(prefix.filePath("share/doc/quadrell/user-guide.html"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    EXPECT_EQ(UserGuidePath(bin), installed.fileName());
    // The tests are built into the same bin/ as the program.
    EXPECT_EQ(UserGuidePath(QCoreApplication::applicationDirPath()),
              QDir(QUADRELL_DOCS_DIR).absoluteFilePath("user-guide.html"));
}

}  // namespace
