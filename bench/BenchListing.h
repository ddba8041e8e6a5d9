#pragma once

// A listing that NEC2d makes at a benchmark's start-up, in a folder of its
// own that goes with it.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A short dipole over 100 frequencies with a full sphere in 5 degree steps at
// each: 100 x 37 x 73 = 270,100 pattern rows, about 33 MB of listing.
inline constexpr const char* kSweepDeck =
    "CM Sweep reader benchmark: a dipole, 100 frequencies, full sphere in 5 degree steps\n"
    "CE\n"
    "GW 1 9 0 0 -0.25 0 0 0.25 .001\n"
    "GE\n"
    "EX 0 1 5 0 1.\n"
    "FR 0 100 0 0 250 1\n"
    "RP 0 37 73 1000 0 0 5 5\n"
    "EN\n";

struct BenchListing {
    std::filesystem::path folder;
    std::filesystem::path path;
    std::string problem;  // why there is no listing to read, if there is none

    // `deck` run by NEC2d into `name`.lst; `check`, if given, tells whether
    // it reads as expected.
    BenchListing(const char* deck, const std::string& name,
                 bool (*check)(const std::filesystem::path&) = nullptr) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "listing-bench.XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            problem = "no temporary folder";
            return;
        }
        folder = pattern;
        path = folder / (name + ".lst");
        std::ofstream(folder / (name + ".nec")) << deck;
        const std::string command = "cd '" + folder.string() + "' && '" NEC2D_PROGRAM "' " + name +
                                    ".nec " + name + ".lst >/dev/null";
        if (std::system(command.c_str()) != 0) {
            problem = "NEC2d did not run";
            return;
        }
        if (check != nullptr && !check(path)) problem = "the listing does not read as expected";
    }
    ~BenchListing() {
        std::error_code ignored;
        if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
    }
};
