#pragma once

#include <string>

// Starts the solver NEC2d with no arguments and returns at once. NEC2d is
// looked up first in the folder of the running quadrell executable, then on
// PATH. It runs in a session and process group of its own, in the current
// folder, with the environment and the standard input, output and error of
// Quadrell and no other open file; Quadrell keeps no handle to it and leaves
// no finished process behind. When it cannot be found or started nothing
// happens and nothing is reported.
void LaunchNec2d();

// The same with the folder to look in first and the program's name given.
void LaunchNec2d(const std::string& firstFolder, const std::string& programName);
