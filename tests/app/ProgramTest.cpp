#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "app/UserGuide.h"

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
        QFile status(QString("/proc/%1/status").arg(child));
        if (!status.open(QIODevice::ReadOnly)) return false;
        const QString mask = QString(status.readAll()).section("SigIgn:", 1).section('\n', 0, 0);
        return (mask.trimmed().toULongLong(nullptr, 16) >> (SIGXFSZ - 1) & 1) != 0;
    };
    for (int wait = 0; wait < 200 && !ignores(); ++wait) QThread::msleep(50);
    EXPECT_TRUE(ignores());
    ::kill(child, SIGXFSZ);
    QThread::msleep(300);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
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
