#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "solver/DeckReader.h"

// The most of nec2c's output that NEC2d reads into memory. A deck's far-field
// request decides how much nec2c prints: a 100-step sweep over a sphere in
// 1-degree steps is some 800 MB, and a deck asking for more could exhaust
// the memory of the machine.
inline constexpr std::size_t kLargestEngineOutput = std::size_t{2} << 30;

// Where the listing's lines go; the line end is the receiver's business.
class CLineOutput {
  public:
    virtual ~CLineOutput() = default;
    virtual void WriteLine(std::string_view line) = 0;
};

struct ListingBuildResult {
    bool ok = false;
    std::string errorText;
};

// Turns the output of a successful nec2c run on `cards` into the NEC2d
// listing, all but its closing run-time line: the wire tables, input
// parameter tables and radiation pattern tables are rewritten in the listing's
// fixed layout (see ListingLayout.h); everything else nec2c printed is kept,
// a line that could be taken for one of the listing's markers being lowered
// in case. Fails when nec2c's tables are not laid out as expected.
ListingBuildResult BuildListing(std::string_view nec2cOutput, const std::vector<DeckCard>& cards,
                                std::string_view deckName, CLineOutput& output);
