#include "nec/SolverLaunch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdlib>
#include <system_error>

extern char** environ;

// QProcess::startDetached of Qt 6.4 leaves the started program every file
// descriptor Quadrell holds without close-on-exec, and has no switch to close
// them; so the start is done here with a double fork.

namespace {

// Where the started solver holds its end of the report pipe until its exec.
constexpr int kReportFd = STDERR_FILENO + 1;

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The program's path: in `firstFolder`, else in the first PATH folder that has
// it; empty when none has. Empty and relative PATH entries are passed over:
// they name the current folder, and a NEC2d planted there must not run.
std::string FindProgram(const std::string& firstFolder, const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    if (!firstFolder.empty() && IsExecutableFile(firstFolder + "/" + name))
        return firstFolder + "/" + name;
    const char* path = std::getenv("PATH");
    if (!path) return {};
    const std::string folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (folder.starts_with('/') && IsExecutableFile(folder + "/" + name))
            return folder + "/" + name;
        start = end + 1;
    }
    return {};
}

}  // namespace

LaunchOutcome LaunchNec2d() {
    return LaunchNec2d(QCoreApplication::applicationDirPath().toStdString(), "NEC2d");
}

LaunchOutcome LaunchNec2d(const std::string& firstFolder, const std::string& programName) {
    const std::string program = FindProgram(firstFolder, programName);
    if (program.empty()) {
        const char* path = std::getenv("PATH");
        return {false,
                programName + " cannot be found. Quadrell looked for it in " +
                    (firstFolder.empty() ? std::string("no folder of its own") : firstFolder) +
                    " and in the folders of PATH (" +
                    (path ? std::string(path) : std::string("not set")) + ")."};
    }
    const auto failure = [&](const std::string& what, int code) {
        return LaunchOutcome{false, what + " cannot be started: " +
                                        std::error_code(code, std::generic_category()).message() +
                                        "."};
    };
    // All the children use is made ready here: between fork and exec only
    // async-signal-safe calls are allowed, as Quadrell has several threads.
    char* const argv[] = {const_cast<char*>(programName.c_str()), nullptr};
    // The solver's start reports a failure through this pipe; a successful
    // start closes it without a word.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return failure(programName, errno);

    const pid_t child = ::_Fork();
    if (child < 0) {
        const int code = errno;
        ::close(report[0]);
        ::close(report[1]);
        return failure(programName, code);
    }
    if (child == 0) {
        // The middle process opens a session of its own, without a terminal,
        // starts the solver and leaves at once: the solver is adopted by init,
        // which reaps it when it ends.
        ::close(report[0]);
        ::setsid();
        const pid_t solver = ::_Fork();
        if (solver == 0) {
            ::setpgid(0, 0);
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            ::sigaction(SIGPIPE, &standard, nullptr);
            if (report[1] != kReportFd) ::dup2(report[1], kReportFd);
            ::fcntl(kReportFd, F_SETFD, FD_CLOEXEC);
            ::closefrom(kReportFd + 1);
            ::execve(program.c_str(), argv, environ);
            const int code = errno;
            (void)!::write(kReportFd, &code, sizeof code);
            ::_exit(127);
        }
        if (solver < 0) {
            const int code = errno;
            (void)!::write(report[1], &code, sizeof code);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int code = 0;
    ssize_t got = 0;
    do {
        got = ::read(report[0], &code, sizeof code);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);
    if (got == static_cast<ssize_t>(sizeof code))
        return failure(programName + " (" + program + ")", code);
    return {true, {}};
}
