#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "solver/EngineProcess.h"

struct SolverRequest {
    std::filesystem::path deck;
    std::filesystem::path listing;
    // The numerical engine: a name looked up on PATH, or a path.
    std::string engine = "nec2c";
    // How many nec2c processes may solve parts of a sweep at once; 0 for one
    // per processor NEC2d may use. 1 solves every deck in one process.
    int jobs = 0;
    // Told how many of the sweep's frequencies are solved each time a part of
    // a split run ends, from the thread that ran it, one call at a time. A
    // run in one process does not call it.
    std::function<void(long solved, long total)> onFrequenciesSolved = nullptr;
    // Told of each frequency of a splittable sweep as nec2c solves it, in
    // order ("3 of 8"), whether the sweep runs in parts or in one process,
    // one call at a time from threads of the run. A deck that cannot be split
    // does not call it.
    std::function<void(long solved, long total)> onEachFrequency = nullptr;
};

struct SolverOutcome {
    bool ok = false;
    // On success "Listing written to NAME."; otherwise what went wrong, in
    // words for the user.
    std::string message;
};

// One whole run: reads the deck leniently, hands nec2c a clean copy in a
// private temporary folder (removed afterwards), and writes the listing from
// nec2c's results. A failed run leaves no new listing: a file already at the
// listing's name keeps its contents.
SolverOutcome RunSolver(const SolverRequest& request, CCancelToken* cancel = nullptr);

// The listing's default name: the deck's, with the extension "out".
std::filesystem::path DefaultListingFor(const std::filesystem::path& deck);

// The *.in file of `folder` changed last (by name when two tie), or an empty
// path when there is none.
std::filesystem::path NewestDeckIn(const std::filesystem::path& folder);

// What nec2c printed last before it gave up, on one line.
std::string Nec2cErrorText(std::string_view output);
