#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One excitation's input impedance at one frequency, from the "ANTENNA INPUT
// PARAMETERS" table.
struct SweepSource {
    int tag = 0;
    int segment = 0;        // as printed: counted over the whole structure
    double resistance = 0;  // ohms
    double reactance = 0;   // ohms
};

// One direction of a "RADIATION PATTERNS" table: angles in degrees and the
// three POWER GAINS columns in dB as printed (-999.99 where there is none).
struct SweepPatternRow {
    double theta = 0;
    double phi = 0;
    double first = 0;   // VERTC or MAJOR, as the RP card asked
    double second = 0;  // HORIZ or MINOR
    double total = 0;
};

// One frequency of a run: its "FREQUENCY" block and the tables after it.
struct SweepStep {
    double frequencyMhz = 0;
    std::vector<SweepSource> sources;
    // The rows of every pattern table of the step, in the listing's order;
    // empty when the step has no table.
    std::vector<SweepPatternRow> pattern;
};

struct ListingSweep {
    // The two polarisation columns as the listing names them: "VERTC" and
    // "HORIZ", or "MAJOR" and "MINOR", as the first pattern table names them.
    std::string firstPolarisation;
    std::string secondPolarisation;
    std::vector<SweepStep> steps;
};

// Every frequency of a completed NEC2D listing, read from its bytes with the
// listing reader's rules: nothing is read outside `listing`, numbers are read
// the C way in any locale, CR LF and LF line ends both work, tables stay
// within the listing reader's bounds. Nothing, with the reason in `error`,
// when the run did not complete (the last line does not begin with
// "RUN TIME ="), when it holds no frequency, or when a table is cut short or
// malformed.
std::optional<ListingSweep> ReadListingSweep(std::string_view listing, std::string& error);

// The same for the regular file at `path`, read where it lies (mapped, not
// copied); `error` also names a file that cannot be read.
std::optional<ListingSweep> ReadListingSweepFile(const std::filesystem::path& path,
                                                 std::string& error);
