#include "nec/SolverLaunch.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstdlib>

extern char** environ;

// QProcess::startDetached of Qt 6.4 leaves the started program every file
// descriptor Quadrell holds without close-on-exec, and has no switch to close
// them; so the start is done here with a double fork.

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The program's path: in `firstFolder`, else in the first PATH folder that has
// it (an empty PATH entry is the current folder); empty when none has.
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
        const std::string folder = end == start ? "." : folders.substr(start, end - start);
        if (IsExecutableFile(folder + "/" + name)) return folder + "/" + name;
        start = end + 1;
    }
    return {};
}

}  // namespace

void LaunchNec2d() { LaunchNec2d(QCoreApplication::applicationDirPath().toStdString(), "NEC2d"); }

void LaunchNec2d(const std::string& firstFolder, const std::string& programName) {
    const std::string program = FindProgram(firstFolder, programName);
    if (program.empty()) return;
    // All the children use is made ready here: between fork and exec only
    // async-signal-safe calls are allowed, as Quadrell has several threads.
    char* const argv[] = {const_cast<char*>(programName.c_str()), nullptr};

    const pid_t child = ::_Fork();
    if (child < 0) return;
    if (child == 0) {
        // The middle process opens a session of its own, without a terminal,
        // starts the solver and leaves at once: the solver is adopted by init,
        // which reaps it when it ends.
        ::setsid();
        if (::_Fork() == 0) {
            ::setpgid(0, 0);
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            ::sigaction(SIGPIPE, &standard, nullptr);
            ::closefrom(STDERR_FILENO + 1);
            ::execve(program.c_str(), argv, environ);
            ::_exit(127);
        }
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}
