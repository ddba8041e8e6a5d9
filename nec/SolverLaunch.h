#pragma once

#include <string>

struct LaunchOutcome {
    bool started = false;
    // When it did not start: what was tried and why it failed, for the user.
    std::string message;
};

// Starts the solver NEC2d with no arguments and returns at once. NEC2d is
// looked up first in the folder of the running quadrell executable, then in
// the absolute folders of PATH. It runs in a session and process group of its
// own, in the current folder, with the environment and the standard input,
// output and error of Quadrell and no other open file; Quadrell keeps no
// handle to it and leaves no finished process behind.
LaunchOutcome LaunchNec2d();

// The same with the folder to look in first and the program's name given.
LaunchOutcome LaunchNec2d(const std::string& firstFolder, const std::string& programName);
