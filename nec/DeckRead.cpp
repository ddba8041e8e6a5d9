#include "nec/DeckRead.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "model/Geometry.h"
#include "nec/DeckCards.h"

namespace {

constexpr std::string_view kCannotOpen = "\nFile Cannot be Opened";

// Cards that only ask for output, or that other programs keep for themselves.
constexpr std::array<std::string_view, 11> kOutputCards{"GE", "NE", "NH", "PL", "PQ", "PT",
                                                        "RP", "SC", "XQ", "ZO", ""};
// NEC-2 cards that change the solution and have nothing in a drawing.
constexpr std::array<std::string_view, 7> kSolutionCards{"CP", "EK", "GC", "GD", "GF", "KH", "WG"};

template <std::size_t N>
bool IsOneOf(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::array<double, 3> PointOf(const ImportCard& card, std::size_t field) {
    // Read as floats, as a drawing holds them, so that a deck Quadrell wrote
    // comes back exactly as it was drawn.
    return {static_cast<float>(card.Real(field)), static_cast<float>(card.Real(field + 1)),
            static_cast<float>(card.Real(field + 2))};
}

}  // namespace

std::string ImportFailure(std::string_view reason) {
    return std::string(reason) + std::string(kCannotOpen);
}

std::string TooLargeToDraw(std::string_view card) {
    return ImportFailure("A number on this card is too large to draw:\n" + std::string(card));
}

// The excitation's real and imaginary parts back as the magnitude and phase
// that the source was written from, worked out in double: in float a phase of
// 90 degrees would come back a few millionths short.
double MagnitudeOf(const Excitation& excitation) {
    return std::hypot(static_cast<double>(excitation.real),
                      static_cast<double>(excitation.imaginary));
}

float PhaseOf(const Excitation& excitation) {
    const auto phase = static_cast<float>(RadiansToDegrees(std::atan2(
        static_cast<double>(excitation.imaginary), static_cast<double>(excitation.real))));
    // The writer's pi is a little larger than the true one, so 180 degrees is
    // written just past the negative real axis, with a tiny negative imaginary
    // part, and -180 just before it.
    if (std::fabs(phase) == 180.0f && excitation.imaginary != 0.0f)
        return excitation.imaginary < 0.0f ? 180.0f : -180.0f;
    return phase;
}

namespace {

// GN: perfect ground, or real ground by the soil's constants. What Quadrell
// writes otherwise (the reflection-coefficient model, radial screens, a second
// medium) keeps its soil; a ground with no sound soil is left out.
void ReadGround(const ImportCard& card, DeckRead& read) {
    const int model = card.Integer(0);
    const bool extras = card.Integer(1) != 0 || card.Real(6) != 0 || card.Real(7) != 0 ||
                        card.Real(8) != 0 || card.Real(9) != 0;
    GroundSettings& ground = read.ground;
    if (model == -1) {
        ground.kind = GroundKind::FREE_SPACE;
    } else if (model == 1) {
        ground.kind = GroundKind::PERFECT;
        if (extras) ++read.skipped.groundsApproximated;
    } else if ((model == 0 || model == 2) && card.Real(4) > 0 && card.Real(5) > 0 &&
               std::isfinite(card.Real(4)) && std::isfinite(card.Real(5))) {
        ground.kind = GroundKind::REAL;
        ground.permittivity = card.Real(4);
        ground.conductivity = card.Real(5);
        ground.soil = kCustomSoil;
        for (std::size_t i = 0; i < kSoilPresets.size(); ++i) {
            if (kSoilPresets[i].permittivity == ground.permittivity &&
                kSoilPresets[i].conductivity == ground.conductivity)
                ground.soil = static_cast<int>(i);
        }
        if (model == 0 || extras) ++read.skipped.groundsApproximated;
    } else {
        ++read.skipped.groundsLeftOut;
    }
}

void ReadFrequency(const ImportCard& card, DeckRead& read) {
    const double frequency = card.Real(4);
    if (!(frequency > 0) || frequency > std::numeric_limits<float>::max()) return;
    FrequencySettings& sweep = read.frequency;
    sweep.m_frequency = static_cast<float>(frequency);
    sweep.m_wavelength = WavelengthOf(sweep.m_frequency);
    if (card.Integer(0) == 1) {
        read.skipped.multipliedSweep = true;
        return;
    }
    sweep.m_nSteps = std::max(0, card.Integer(1));
    const auto increment = static_cast<float>(card.Real(5));
    sweep.m_increment = std::isfinite(increment) ? increment : 0.0f;
}

// Applies one geometry card; false for a card that is none.
bool ReadGeometry(const ImportCard& card, DeckRead& read) {
    const std::string& name = card.mnemonic;
    StructurePart part;
    part.tag = card.Integer(0);
    part.segments = card.Integer(1);
    if (name == "GW") {
        part.first = PointOf(card, 2);
        part.second = PointOf(card, 5);
        part.radius = static_cast<float>(card.Real(8));
        part.card = read.wireCards.size();
        read.wireCards.push_back(card.text);
        read.failure = read.structure.Add(part);
    } else if (name == "GA" || name == "GH" || name == "SP" || name == "SM") {
        part.kind = name == "GA" ? PartKind::ARC : name == "GH" ? PartKind::HELIX : PartKind::PATCH;
        if (part.kind == PartKind::PATCH) part.tag = part.segments = 0;
        read.failure = read.structure.Add(part);
    } else if (name == "GS") {
        read.failure = read.structure.Scale(card.Real(2));
    } else if (name == "GM") {
        const double from = card.Real(8);
        const auto fromTag =
            std::isfinite(from) && std::fabs(from) < 1e18 ? static_cast<std::int64_t>(from) : 0;
        bool found = true;
        read.failure = read.structure.Move({card.Real(2), card.Real(3), card.Real(4)},
                                           {card.Real(5), card.Real(6), card.Real(7)}, fromTag,
                                           card.Integer(1), card.Integer(0), found);
        if (!found) ++read.skipped.otherCards["GM"];
    } else if (name == "GX") {
        read.failure = read.structure.Reflect(card.Integer(1), card.Integer(0));
    } else if (name == "GR") {
        read.failure = read.structure.Rotate(card.Integer(1), card.Integer(0));
    } else {
        return false;
    }
    if (!read.failure.empty()) read.failure = ImportFailure(read.failure);
    return true;
}

}  // namespace

DeckRead ReadDeckCards(std::string_view deck) {
    DeckRead read;
    CDeckCardReader reader(deck);
    ImportCard card;
    // Only the first GN and FR cards count.
    bool groundRead = false, frequencyRead = false;
    while (read.failure.empty() && reader.Next(card)) {
        const std::string& name = card.mnemonic;
        if (name == "EN") break;
        if (name == "NX") {
            read.skipped.nextStructure = true;
            break;
        }
        if (ReadGeometry(card, read)) continue;
        if (card.IsComment()) {
            if (!read.comment && name == "CM") read.comment = ReadDrawingComment(card.text);
        } else if (name == "EX") {
            const Excitation excitation{card.Integer(0), card.Integer(1), card.Integer(2),
                                        static_cast<float>(card.Real(4)),
                                        static_cast<float>(card.Real(5))};
            if (excitation.type == 0 && !std::isfinite(static_cast<float>(MagnitudeOf(excitation))))
                read.failure = TooLargeToDraw(card.text);
            read.excitations.push_back(excitation);
        } else if (name == "GN") {
            if (groundRead)
                ++read.skipped.otherCards[name];
            else
                ReadGround(card, read);
            groundRead = true;
        } else if (name == "FR") {
            if (!frequencyRead) ReadFrequency(card, read);
            frequencyRead = true;
        } else if (name == "LD") {
            ++read.skipped.loads;
        } else if (name == "TL" || name == "NT") {
            ++read.skipped.networks;
        } else if (IsOneOf(kSolutionCards, name)) {
            ++read.skipped.otherCards[name];
        } else if (!IsOneOf(kOutputCards, name)) {
            ++read.skipped.notCards;
        }
    }
    if (read.failure.empty()) read.structure.Index();
    return read;
}
