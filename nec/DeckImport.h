#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/GroundSettings.h"
#include "model/Point.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/DeckStructure.h"
#include "nec/RunSettings.h"

class CQuadrellDoc;

// What an import left out, for the one message that follows it.
struct ImportSkips {
    std::int64_t offPlaneWires = 0;  // straight wires that do not lie in the drawing plane
    std::int64_t zeroLengthWires = 0;
    std::int64_t arcs = 0;                  // GA
    std::int64_t helices = 0;               // GH
    std::int64_t patches = 0;               // SP and SM cards
    std::int64_t loads = 0;                 // LD
    std::int64_t networks = 0;              // TL and NT
    std::int64_t otherSources = 0;          // EX cards of types other than a voltage source
    std::int64_t excitationsOnLeftOut = 0;  // on a wire, arc or helix left out
    std::int64_t unmatchedExcitations = 0;  // a tag that no wire has
    std::int64_t missingSegments = 0;       // a segment beyond the wires with the tag
    std::int64_t groundsApproximated = 0;   // GN whose soil is kept as real ground
    std::int64_t groundsLeftOut = 0;        // GN Quadrell cannot write at all
    bool multipliedSweep = false;           // FR whose steps multiply
    bool nextStructure = false;             // NX, and everything after it
    // Other NEC-2 cards that change the solution, by name.
    std::map<std::string, std::int64_t> otherCards;
    std::int64_t notCards = 0;  // lines that are no NEC-2 card at all
};

// The elements a deck draws, or why it cannot be drawn.
struct DeckImport {
    // Empty when the deck was read; otherwise the whole message to show, and
    // there is nothing to add.
    std::string failure;
    // In the order of their cards; a wire fed inside is split where it is fed.
    std::vector<std::unique_ptr<CWire>> wires;
    // In the order of their EX cards.
    std::vector<std::unique_ptr<CSource>> sources;
    ImportSkips skipped;
    // The deck's ground and drawing plane, for the design.
    GroundSettings ground;
    // The deck's first FR card, or NEC-2's own default of 299.8 MHz.
    FrequencySettings frequency;
};

// Reads a NEC-2 deck as NEC-2 reads it, drawn relative to the drawing origin
// `origin`. Geometry cards build the structure in deck order; its straight
// wires in the drawing plane become wires, and each voltage source EX card a
// source on the end or joint of the segment it names. The drawing plane is the
// deck's own comment card's, else horizontal when every wire is level, upright
// when every wire lies in Y = 0, else horizontal. Whatever cannot be drawn is
// counted in `skipped`; a deck with nothing to draw fails, saying what it holds.
DeckImport ReadDeckImport(std::string_view deck, CPoint origin);

// The lines saying what was skipped and why; empty when nothing was.
std::string SkipMessage(const ImportSkips& skipped);

// Hands the elements over to the design: every wire at the head, in card
// order, so that they come out reversed, and every source at the tail.
// Showing them is the caller's part.
void AddImportedElements(CQuadrellDoc& document, DeckImport& imported);

// Gives the design the deck's ground and drawing plane and adds its elements:
// the one change an import makes to a design.
void ApplyDeckImport(CQuadrellDoc& document, DeckImport& imported);
