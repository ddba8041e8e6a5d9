#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The most wires and sources one deck may add to a design, and the most parts
// its geometry cards may build. Far above any real antenna, but a deck of a
// few hundred bytes can copy its structure millions of times.
inline constexpr std::int64_t kMostImportedElements = 100000;

// What a geometry card made: a straight wire, which a drawing can hold, or an
// arc, helix or patch, which it cannot but which still takes part in the
// copies and in the segment numbers that EX cards name.
enum class PartKind { WIRE, ARC, HELIX, PATCH };

struct StructurePart {
    PartKind kind = PartKind::WIRE;
    std::int64_t tag = 0;
    int segments = 0;
    std::array<double, 3> first{};
    std::array<double, 3> second{};
    double radius = 0;
    // The card that made the first of this part's copies, to quote in a message.
    std::size_t card = 0;
};

// A segment named by an EX card: which part, and which of its segments, from 1.
struct SegmentRef {
    std::size_t part = 0;
    int segment = 0;
};

// The structure as NEC-2 builds it from the geometry cards, in deck order:
// parts are appended, then scaled, moved, copied, reflected and rotated with
// NEC-2's rules for tag increments. Each card method returns an empty text,
// or the message for a deck whose cards would build too much.
class CDeckStructure {
  public:
    std::string Add(const StructurePart& part);
    // GS: every coordinate and radius made so far.
    std::string Scale(double factor);
    // GM: rotation about X, then Y, then Z (degrees), then the shift, of the
    // parts from the first one tagged `fromTag` (every part for tag 0);
    // `copies` new structures each made from the one before, or with no
    // copies the parts themselves moved. False `found` when no part has
    // `fromTag`: nothing moves.
    std::string Move(const std::array<double, 3>& degrees, const std::array<double, 3>& shift,
                     std::int64_t fromTag, int copies, std::int64_t tagIncrement, bool& found);
    // GX: reflections in Z, then Y, then X, as the digits of `planes` (XYZ)
    // ask, each copying all there is; the increment doubles after each.
    std::string Reflect(int planes, std::int64_t tagIncrement);
    // GR: the whole structure `occurrences` times about the Z axis.
    std::string Rotate(int occurrences, std::int64_t tagIncrement);

    const std::vector<StructurePart>& Parts() const { return m_parts; }

    // Called once, after the last card: makes the segment lookup.
    void Index();
    // The S-th segment of the parts tagged `tag`, or for tag 0 the S-th
    // segment of the whole structure; nothing when there is no such segment.
    std::optional<SegmentRef> Find(std::int64_t tag, std::int64_t segment) const;
    bool HasTag(std::int64_t tag) const;

  private:
    // Room for `added` more parts, within the bound and the work allowed.
    std::string MakeRoom(std::int64_t added);
    std::string Work(std::int64_t touched);
    void Copy(std::size_t begin, std::size_t end, std::int64_t tagIncrement,
              const std::array<std::array<double, 3>, 3>& rotation,
              const std::array<double, 3>& shift, bool inPlace);

    std::vector<StructurePart> m_parts;
    // Parts touched by all the cards so far; bounded so that a short deck of
    // many GS or GM cards over a large structure cannot take minutes.
    std::int64_t m_work = 0;

    struct TagRun {
        std::int64_t tag;
        std::size_t part;
        std::int64_t before;  // segments of this tag in earlier parts
    };
    std::vector<TagRun> m_byTag;
    std::vector<std::int64_t> m_before;  // segments of all earlier parts
};

// "The deck would add N elements; Quadrell draws at most 100000 from one deck."
std::string TooManyElements(std::int64_t count);
