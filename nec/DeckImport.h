#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/GroundSettings.h"
#include "model/Point.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/DeckRead.h"
#include "nec/RunSettings.h"

class CQuadrellDoc;

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
