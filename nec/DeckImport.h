#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/Point.h"
#include "model/Source.h"
#include "model/Wire.h"

class CQuadrellDoc;

// The most wires and sources one deck may add to a design. Far above any real
// antenna, but a deck of a few kilobytes whose EX cards share their tag with
// many GW cards would otherwise ask for millions of sources.
inline constexpr std::int64_t kMostImportedElements = 100000;

// What an import left out, for the one message that follows it. Counted per
// pair of cards, so the counts may be far larger than the deck.
struct ImportSkips {
    // EX cards on a segment inside a wire: sources sit only at wire ends.
    std::int64_t innerExcitations = 0;
    // EX cards whose tag is on no GW card.
    std::int64_t unmatchedExcitations = 0;
    // GW cards whose two ends are one point.
    std::int64_t zeroLengthWires = 0;
};

// The elements a deck draws, or why it cannot be drawn.
struct DeckImport {
    // Empty when the deck was read; otherwise the whole message to show, and
    // there is nothing to add.
    std::string failure;
    // In the order of their cards.
    std::vector<std::unique_ptr<CWire>> wires;
    std::vector<std::unique_ptr<CSource>> sources;
    ImportSkips skipped;
};

// Reads a NEC2D deck as the editor draws it, relative to the drawing origin
// `origin`: comments up to the bare "CE" line, GW cards up to the bare "GE"
// line, then EX cards up to "EN". Each GW card is a wire at the height of its
// first end; each EX card puts a source on the first end of every GW card
// with its tag when it names segment 1, else on the second end when it names
// the wire's last segment. Lines are read 79 characters at a time, tokens are
// split on blanks only, and numbers follow atoi and atof. A deck that would add
// more than kMostImportedElements elements adds none and fails with their count.
DeckImport ReadDeckImport(std::string_view deck, CPoint origin);

// The lines saying what was skipped and why; empty when nothing was.
std::string SkipMessage(const ImportSkips& skipped);

// Hands the elements over to the design: every wire at the head, in card
// order, so that they come out reversed, and every source at the tail.
// Showing them is the caller's part.
void AddImportedElements(CQuadrellDoc& document, DeckImport& imported);
