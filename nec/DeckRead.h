#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/GroundSettings.h"
#include "nec/DeckStructure.h"
#include "nec/DrawingComment.h"
#include "nec/RunSettings.h"

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

// NEC-2 solves at 299.8 MHz when a deck has no FR card.
inline constexpr float kNecDefaultFrequency = 299.8f;

// An EX card's fields.
struct Excitation {
    int type = 0;
    int tag = 0;
    int segment = 0;
    float real = 0;
    float imaginary = 0;
};

// Everything the cards of a deck say, before anything is drawn.
struct DeckRead {
    // Empty, or the whole message of a deck that cannot be opened.
    std::string failure;
    CDeckStructure structure;
    std::vector<std::string_view> wireCards;  // the text of each GW card, for messages
    std::vector<Excitation> excitations;
    std::optional<DrawingComment> comment;  // the first drawing comment among the CM cards
    GroundSettings ground;                  // from the first GN card; plane and height unset
    // From the first FR card, else NEC-2's default.
    FrequencySettings frequency{0, 0.0f, WavelengthOf(kNecDefaultFrequency), kNecDefaultFrequency};
    ImportSkips skipped;
};

// Reads the cards of a deck up to EN, NX or its end, and builds and indexes
// its structure.
DeckRead ReadDeckCards(std::string_view deck);

// The magnitude and phase of an excitation's real and imaginary parts.
double MagnitudeOf(const Excitation& excitation);
float PhaseOf(const Excitation& excitation);

// The message of a deck that cannot be opened, and of a card whose numbers do
// not fit in a drawing.
std::string ImportFailure(std::string_view reason);
std::string TooLargeToDraw(std::string_view card);
