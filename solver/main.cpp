// NEC2d: runs a NEC2 deck with nec2c and writes the listing Quadrell reads.
//   NEC2d [-j N] DECK [LISTING]
//                          runs without questions, a sweep in up to N
//                          nec2c processes at once;
//   NEC2d                  asks for the names on its terminal, or, with no
//                          terminal (as Quadrell starts it), in a window.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "solver/ConsoleDialogue.h"
#include "solver/SolverWindow.h"
#include "solver/StoppableRun.h"

namespace {

// A terminal to talk on: input from it and a controlling terminal. A process
// started in a session of its own has none, even when its input is still
// the terminal of the program that started it.
bool HasTerminal() {
    if (!::isatty(STDIN_FILENO)) return false;
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

bool HasDisplay() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

SolverOutcome Solve(const SolverRequest& request) { return RunSolver(request); }

}  // namespace

int main(int argc, char** argv) {
    // First, while NEC2d has one thread: the stop signals go to a thread of
    // their own.
    HandleStopSignals();
    // A write past the file-size limit then fails with EFBIG and is reported
    // as any other, instead of ending NEC2d with a partial file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // Progress lines are for a person watching, not for a file or a pipe.
    const bool showProgress = ::isatty(STDOUT_FILENO) == 1;
    if (!arguments.empty())
        return RunWithArguments(arguments, std::cout, std::cerr, Solve, showProgress);

    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (HasTerminal())
        return RunConsoleDialogue(std::cin, std::cout, std::cerr, folder, Solve, showProgress);
    if (!HasDisplay()) {
        std::cerr << "NEC2d: no terminal and no display to ask for the deck on.\n" << UsageText();
        return kExitUsage;
    }

    QApplication application(argc, argv);
    // The listing's numbers are printed with the C library; they must keep
    // the decimal point whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    CSolverWindow window(folder);
    window.show();
    return application.exec();
}
