#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "solver/SolverRun.h"

using SolverFunction = std::function<SolverOutcome(const SolverRequest&)>;

// Exit codes of NEC2d.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRunFailed = 1;
inline constexpr int kExitUsage = 2;

// `NEC2d [-j N | --jobs N] DECK [LISTING]`: runs without questions; the
// listing defaults to the deck's name with the extension "out", and N is how
// many nec2c processes may share a sweep (see SolverRequest::jobs). Reports on `out` or `err` and
// returns the exit code. With `showProgress` (on a terminal) each frequency
// solved is told on `out` as it comes: "3 of 8 frequencies solved".
int RunWithArguments(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err, const SolverFunction& solve, bool showProgress = false);

// The console dialogue of `NEC2d` started on a terminal with no arguments:
// asks for the deck (offering the newest *.in of `folder`) and the listing
// (offering the deck's name with "out"), runs, and reports.
int RunConsoleDialogue(std::istream& in, std::ostream& out, std::ostream& err,
                       const std::filesystem::path& folder, const SolverFunction& solve,
                       bool showProgress = false);

std::string UsageText();
