#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "solver/DeckReader.h"

// The title nec2c prints above each frequency's results: the split cuts its
// parts' outputs there, and the progress counts them.
inline constexpr std::string_view kFrequencyTitle = "--------- FREQUENCY --------";

// A frequency sweep that nec2c may solve in parts, each part in a process of
// its own, with the same numbers as one run gives.
struct SweepShape {
    std::size_t frequencyCard = 0;  // index of the FR card among the deck's cards
    long steps = 0;
};

// The deck's sweep when splitting it changes nothing but the run time:
// one structure, one FR card of two or more linear or multiplicative steps,
// and after it one request (XQ or RP) that runs the frequency loop, then EN.
// Only cards that act alike at every frequency may stand among the program
// cards: coupling (CP), plot files (PL), Green's function files (GF, WG), a
// second structure (NX), near fields (NE, NH), normalised impedances (EX) and
// a Sommerfeld ground (GN 2) look across frequencies or at files, so decks
// with them run in one process.
std::optional<SweepShape> SplittableSweep(const std::vector<DeckCard>& cards);

// The steps each of `parts` parts takes, in order, as even as can be.
std::vector<long> PartSteps(long steps, std::size_t parts);

// The deck of each part: the FR card of part k starts at the frequency nec2c
// reaches at that step in one run, stepping as nec2c steps (adding or
// multiplying in double precision), so every part solves exactly the
// frequencies of the single run.
std::vector<std::vector<DeckCard>> SplitSweep(const std::vector<DeckCard>& cards,
                                              const SweepShape& sweep,
                                              const std::vector<long>& steps);

// nec2c's output of the whole deck, made from the outputs of its parts in
// order: the first part's opening (its FR echo counting all the steps), every
// part's frequencies, and the last part's close. Fails, leaving `joined`
// unspecified, when the outputs do not fit together as expected: their
// openings differ, or a part solved another number of frequencies.
bool JoinSweepOutputs(const std::vector<std::string>& outputs, const std::vector<long>& steps,
                      std::string& joined);

// The processors this process may run on, at least 1.
int AvailableProcessors();
