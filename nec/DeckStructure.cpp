#include "nec/DeckStructure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

constexpr Matrix kIdentity{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
constexpr std::array<double, 3> kNoShift{};
constexpr std::int64_t kMostWork = 20'000'000;

// Tags only ever grow by increments a deck chooses, so they are held where
// no sum of them can overflow.
std::int64_t AddTag(std::int64_t tag, std::int64_t increment) {
    if (tag == 0) return 0;
    constexpr std::int64_t kLimit = std::int64_t{1} << 62;
    return std::clamp(tag + std::clamp(increment, -kLimit, kLimit), -kLimit, kLimit);
}

std::array<double, 3> Apply(const Matrix& m, const std::array<double, 3>& p,
                            const std::array<double, 3>& shift) {
    std::array<double, 3> out{};
    for (int row = 0; row < 3; ++row)
        out[row] = m[row][0] * p[0] + m[row][1] * p[1] + m[row][2] * p[2] + shift[row];
    return out;
}

// Rotation about X, then Y, then Z, right-handed.
Matrix RotationOf(const std::array<double, 3>& degrees) {
    const double toRadians = std::numbers::pi / 180.0;
    const double sx = std::sin(degrees[0] * toRadians), cx = std::cos(degrees[0] * toRadians);
    const double sy = std::sin(degrees[1] * toRadians), cy = std::cos(degrees[1] * toRadians);
    const double sz = std::sin(degrees[2] * toRadians), cz = std::cos(degrees[2] * toRadians);
    return {{{cz * cy, cz * sy * sx - sz * cx, cz * sy * cx + sz * sx},
             {sz * cy, sz * sy * sx + cz * cx, sz * sy * cx - cz * sx},
             {-sy, cy * sx, cy * cx}}};
}

}  // namespace

std::string TooManyElements(std::int64_t count) {
    return "The deck would add " + std::to_string(count) + " elements; Quadrell draws at most " +
           std::to_string(kMostImportedElements) + " from one deck.";
}

std::string CDeckStructure::MakeRoom(std::int64_t added) {
    const auto count = static_cast<std::int64_t>(m_parts.size()) + added;
    if (count > kMostImportedElements) return TooManyElements(count);
    return Work(added);
}

std::string CDeckStructure::Work(std::int64_t touched) {
    m_work += touched;
    if (m_work <= kMostWork) return {};
    return "The deck's geometry cards would build or move more than " + std::to_string(kMostWork) +
           " parts.";
}

std::string CDeckStructure::Add(const StructurePart& part) {
    if (std::string failure = MakeRoom(1); !failure.empty()) return failure;
    m_parts.push_back(part);
    return {};
}

std::string CDeckStructure::Scale(double factor) {
    if (std::string failure = Work(static_cast<std::int64_t>(m_parts.size())); !failure.empty())
        return failure;
    for (StructurePart& part : m_parts) {
        for (double& value : part.first) value *= factor;
        for (double& value : part.second) value *= factor;
        part.radius *= factor;
    }
    return {};
}

void CDeckStructure::Copy(std::size_t begin, std::size_t end, std::int64_t tagIncrement,
                          const Matrix& rotation, const std::array<double, 3>& shift,
                          bool inPlace) {
    for (std::size_t i = begin; i < end; ++i) {
        StructurePart part = m_parts[i];
        part.first = Apply(rotation, part.first, shift);
        part.second = Apply(rotation, part.second, shift);
        part.tag = AddTag(part.tag, tagIncrement);
        if (inPlace)
            m_parts[i] = part;
        else
            m_parts.push_back(part);
    }
}

std::string CDeckStructure::Move(const std::array<double, 3>& degrees,
                                 const std::array<double, 3>& shift, std::int64_t fromTag,
                                 int copies, std::int64_t tagIncrement, bool& found) {
    std::size_t begin = 0;
    if (fromTag != 0) {
        const auto tagged = std::find_if(m_parts.begin(), m_parts.end(),
                                         [&](const StructurePart& p) { return p.tag == fromTag; });
        found = tagged != m_parts.end();
        if (!found) return {};
        begin = static_cast<std::size_t>(tagged - m_parts.begin());
    } else {
        found = true;
    }
    const Matrix rotation = RotationOf(degrees);
    const auto block = static_cast<std::int64_t>(m_parts.size() - begin);
    if (block == 0) return {};
    if (copies <= 0) {
        if (std::string failure = Work(block); !failure.empty()) return failure;
        Copy(begin, m_parts.size(), tagIncrement, rotation, shift, true);
        return {};
    }
    if (std::string failure = MakeRoom(block * copies); !failure.empty()) return failure;
    m_parts.reserve(m_parts.size() + static_cast<std::size_t>(block * copies));
    for (int copy = 0; copy < copies; ++copy) {
        const std::size_t end = m_parts.size();
        Copy(begin, end, tagIncrement, rotation, shift, false);
        begin = end;
    }
    return {};
}

std::string CDeckStructure::Reflect(int planes, std::int64_t tagIncrement) {
    const bool axes[3] = {planes / 100 != 0, (planes / 10) % 10 != 0, planes % 10 != 0};
    const int reflections = axes[0] + axes[1] + axes[2];
    const auto count = static_cast<std::int64_t>(m_parts.size());
    if (std::string failure = MakeRoom(count * ((std::int64_t{1} << reflections) - 1));
        !failure.empty())
        return failure;
    for (int axis = 2; axis >= 0; --axis) {
        if (!axes[axis]) continue;
        Matrix mirror = kIdentity;
        mirror[axis][axis] = -1;
        Copy(0, m_parts.size(), tagIncrement, mirror, kNoShift, false);
        tagIncrement = AddTag(tagIncrement, tagIncrement);
    }
    return {};
}

std::string CDeckStructure::Rotate(int occurrences, std::int64_t tagIncrement) {
    if (occurrences <= 1 || m_parts.empty()) return {};
    const auto count = static_cast<std::int64_t>(m_parts.size());
    if (std::string failure = MakeRoom(count * (occurrences - std::int64_t{1})); !failure.empty())
        return failure;
    const Matrix rotation = RotationOf({0, 0, 360.0 / occurrences});
    std::size_t begin = 0;
    for (int copy = 1; copy < occurrences; ++copy) {
        const std::size_t end = m_parts.size();
        Copy(begin, end, tagIncrement, rotation, kNoShift, false);
        begin = end;
    }
    return {};
}

void CDeckStructure::Index() {
    m_before.assign(m_parts.size() + 1, 0);
    m_byTag.clear();
    std::vector<std::pair<std::int64_t, std::size_t>> tagged;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        m_before[i + 1] = m_before[i] + std::max(0, m_parts[i].segments);
        if (m_parts[i].tag != 0) tagged.emplace_back(m_parts[i].tag, i);
    }
    std::sort(tagged.begin(), tagged.end());
    for (std::size_t i = 0; i < tagged.size(); ++i) {
        const bool sameTag = i > 0 && tagged[i - 1].first == tagged[i].first;
        const std::int64_t before =
            sameTag ? m_byTag.back().before + std::max(0, m_parts[m_byTag.back().part].segments)
                    : 0;
        m_byTag.push_back({tagged[i].first, tagged[i].second, before});
    }
}

bool CDeckStructure::HasTag(std::int64_t tag) const {
    return std::binary_search(m_byTag.begin(), m_byTag.end(), TagRun{tag, 0, 0},
                              [](const TagRun& a, const TagRun& b) { return a.tag < b.tag; });
}

std::optional<SegmentRef> CDeckStructure::Find(std::int64_t tag, std::int64_t segment) const {
    if (segment < 1) return std::nullopt;
    if (tag == 0) {
        // The last part with fewer segments before it than the one asked for.
        const auto after = std::lower_bound(m_before.begin() + 1, m_before.end(), segment);
        if (after == m_before.end()) return std::nullopt;
        const auto part = static_cast<std::size_t>(after - m_before.begin()) - 1;
        return SegmentRef{part, static_cast<int>(segment - m_before[part])};
    }
    const auto [first, last] =
        std::equal_range(m_byTag.begin(), m_byTag.end(), TagRun{tag, 0, 0},
                         [](const TagRun& a, const TagRun& b) { return a.tag < b.tag; });
    const auto run = std::partition_point(first, last, [&](const TagRun& r) {
        return r.before + std::max(0, m_parts[r.part].segments) < segment;
    });
    if (run == last) return std::nullopt;
    return SegmentRef{run->part, static_cast<int>(segment - run->before)};
}
