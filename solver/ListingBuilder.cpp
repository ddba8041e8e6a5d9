#include "solver/ListingBuilder.h"

#include "solver/ListingLayout.h"
#include "solver/Nec2cColumns.h"
#include "solver/WireTable.h"

namespace {

// nec2c's heading above the wire geometry it read from the deck.
constexpr std::string_view kGeometryTitle = "STRUCTURE SPECIFICATION";

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

bool IsBlankLine(std::string_view line) { return Trimmed(line).empty(); }

// nec2c's section titles read "---- NAME ----", centred on the line.
bool IsTitle(std::string_view line, std::string_view name) {
    const std::string_view text = Trimmed(line);
    return !text.empty() && text.front() == '-' && text.find(name) != std::string_view::npos;
}

std::string_view FirstToken(std::string_view line) {
    line = Trimmed(line);
    return line.substr(0, line.find(' '));
}

// What the deck says about each of its structures: how many comment cards
// nec2c prints before it, and its exact straight wires.
struct StructureOfDeck {
    std::size_t commentLines = 0;
    std::vector<WireRow> exactWires;
};

std::vector<StructureOfDeck> StructuresOf(const std::vector<DeckCard>& cards) {
    std::vector<StructureOfDeck> structures;
    std::size_t comments = 0;
    bool inGeometry = false;
    for (const DeckCard& card : cards) {
        if (card.mnemonic == "CM" || card.mnemonic == "CE") {
            ++comments;
        } else if (IsGeometryCard(card.mnemonic) && !inGeometry) {
            structures.push_back({comments, {}});
            comments = 0;
            inGeometry = true;
        }
        if (card.mnemonic == "GE") inGeometry = false;
    }
    std::vector<std::vector<WireRow>> wires = ExactWiresOfStructures(cards);
    for (std::size_t i = 0; i < structures.size() && i < wires.size(); ++i)
        structures[i].exactWires = std::move(wires[i]);
    return structures;
}

// The fields of one pattern row; false for a line that is no pattern row.
bool ReadPatternRow(std::string_view row, PatternRowTexts& texts) {
    if (row.size() != kPatternRowLength) return false;
    for (int k = 0; k < PATTERN_FIELD_COUNT; ++k)
        texts[static_cast<std::size_t>(k)] = FieldText(row, kPatternColumns[k]);
    double number = 0;
    for (int k : {PATTERN_THETA, PATTERN_PHI, PATTERN_E_THETA_MAGNITUDE, PATTERN_E_PHI_MAGNITUDE}) {
        if (!ParseDouble(texts[static_cast<std::size_t>(k)], number)) return false;
    }
    return true;
}

class CListingBuilder {
  public:
    CListingBuilder(std::string_view nec2cOutput, const std::vector<DeckCard>& cards,
                    CLineOutput& output)
        : m_lines(SplitLines(nec2cOutput)), m_structures(StructuresOf(cards)), m_output(output) {}

    ListingBuildResult Build(std::string_view deckName);

  private:
    std::size_t WriteComments(std::size_t i);
    std::size_t WriteStructure(std::size_t i);
    std::size_t WriteInputParameters(std::size_t i);
    std::size_t WritePattern(std::size_t i);
    std::vector<SegmentRecord> SegmentsAfter(std::size_t i, bool& readable) const;

    void Copy(std::string_view line) {
        if (TripsListingMarker(line)) {
            m_output.WriteLine(LowerCased(line));
        } else {
            m_output.WriteLine(line);
        }
    }
    std::size_t Fail(std::string text) {
        if (m_errorText.empty()) m_errorText = std::move(text);
        return m_lines.size();
    }

    std::vector<std::string_view> m_lines;
    std::vector<StructureOfDeck> m_structures;
    std::size_t m_nextStructure = 0;
    bool m_wroteWireTable = false;
    CLineOutput& m_output;
    std::string m_errorText;
};

ListingBuildResult CListingBuilder::Build(std::string_view deckName) {
    m_output.WriteLine("");
    m_output.WriteLine("");
    m_output.WriteLine("                              NEC2d - NUMERICAL ELECTROMAGNETICS CODE");
    m_output.WriteLine("                              ENGINE: nec2c");
    Copy("                              DECK: " + std::string(deckName));
    m_output.WriteLine("");

    // nec2c's own banner gives way to the one above. kGeometryTitle is the
    // heading nec2c prints above the wire geometry.
    std::size_t i = 0;
    while (i < m_lines.size() && !IsTitle(m_lines[i], "COMMENTS") &&
           !IsTitle(m_lines[i], kGeometryTitle))
        ++i;
    while (i < m_lines.size()) {
        const std::string_view line = m_lines[i];
        if (IsTitle(line, "COMMENTS")) {
            i = WriteComments(i);
        } else if (IsTitle(line, kGeometryTitle)) {
            i = WriteStructure(i);
        } else if (IsTitle(line, "ANTENNA INPUT PARAMETERS")) {
            i = WriteInputParameters(i);
        } else if (IsTitle(line, "RADIATION PATTERNS")) {
            i = WritePattern(i);
        } else if (Trimmed(line).starts_with("TOTAL RUN TIME")) {
            ++i;  // the listing closes with its own run time
        } else {
            Copy(line);
            ++i;
        }
    }
    if (m_errorText.empty() && !m_wroteWireTable)
        m_errorText = "nec2c's output holds no wire geometry.";
    return {m_errorText.empty(), m_errorText};
}

// The comment cards are the user's text: they are copied line for line, so
// that none of them is ever taken for a section title.
std::size_t CListingBuilder::WriteComments(std::size_t i) {
    Copy(m_lines[i++]);
    const std::size_t count =
        m_nextStructure < m_structures.size() ? m_structures[m_nextStructure].commentLines : 0;
    for (std::size_t k = 0; k < count && i < m_lines.size(); ++k) Copy(m_lines[i++]);
    return i;
}

std::size_t CListingBuilder::WriteStructure(std::size_t i) {
    // The title and nec2c's notes stay; its table of the cards as read
    // gives way to the wire table.
    while (i < m_lines.size() && FirstToken(m_lines[i]) != "WIRE") Copy(m_lines[i++]);
    if (i == m_lines.size()) return Fail("nec2c's output holds no wire table.");
    while (i < m_lines.size() && !IsBlankLine(m_lines[i])) ++i;

    const StructureOfDeck* structure =
        m_nextStructure < m_structures.size() ? &m_structures[m_nextStructure] : nullptr;
    ++m_nextStructure;
    const std::vector<WireRow> noWires;
    const std::vector<WireRow>& exact = structure ? structure->exactWires : noWires;
    bool readable = false;
    const std::vector<SegmentRecord> segments = SegmentsAfter(i, readable);
    const std::vector<WireRow> rows = readable ? BuildWireRows(exact, segments) : exact;

    m_output.WriteLine(WireTableHeaderLine());
    m_output.WriteLine(WireTableHeadingLine());
    long number = 0;
    for (const WireRow& row : rows) m_output.WriteLine(WireTableRow(++number, row));
    m_output.WriteLine("");
    m_wroteWireTable = true;
    return i < m_lines.size() ? i + 1 : i;
}

// The rows of the segmentation data that follows the wire geometry, up to
// the blank line that ends them.
std::vector<SegmentRecord> CListingBuilder::SegmentsAfter(std::size_t i, bool& readable) const {
    std::vector<SegmentRecord> segments;
    readable = false;
    while (i < m_lines.size() && !IsTitle(m_lines[i], "SEGMENTATION DATA")) ++i;
    while (i < m_lines.size() && FirstToken(m_lines[i]) != "No:") ++i;
    if (i == m_lines.size()) return segments;
    for (++i; i < m_lines.size() && !IsBlankLine(m_lines[i]); ++i) {
        SegmentRecord segment;
        if (!ParseSegmentRow(m_lines[i], segment)) return segments;
        segments.push_back(segment);
    }
    readable = true;
    return segments;
}

std::size_t CListingBuilder::WriteInputParameters(std::size_t i) {
    Copy(m_lines[i]);
    if (i + 2 >= m_lines.size() || FirstToken(m_lines[i + 1]) != "TAG") return i + 1;
    m_output.WriteLine(InputTableHeaderLine());
    m_output.WriteLine(InputTableHeadingLine());
    // The rows run to a blank line, or to whatever nec2c prints next.
    for (i += 3; i < m_lines.size(); ++i) {
        const std::string_view row = m_lines[i];
        double number = 0;
        if (row.size() != kInputRowLength || !ParseDouble(FieldText(row, kInputTag), number) ||
            !ParseDouble(FieldText(row, kInputSegment), number))
            break;
        std::array<std::string_view, kInputValueCount> values;
        for (int k = 0; k < kInputValueCount; ++k)
            values[static_cast<std::size_t>(k)] = FieldText(row, kInputValue(k));
        m_output.WriteLine(
            InputTableRow(FieldText(row, kInputTag), FieldText(row, kInputSegment), values));
    }
    return i;
}

std::size_t CListingBuilder::WritePattern(std::size_t i) {
    Copy(m_lines[i]);
    // Other far-field tables (fields near ground, ...) are kept as nec2c
    // printed them.
    if (i + 4 >= m_lines.size() || !IsBlankLine(m_lines[i + 1]) ||
        !m_lines[i + 4].starts_with(kPatternUnitsHeading))
        return i + 1;
    const std::string_view headings = m_lines[i + 2];
    const std::string_view labels = m_lines[i + 3];
    m_output.WriteLine("");
    m_output.WriteLine(PatternHeadingLine(FieldText(headings, {18, 52})));
    m_output.WriteLine(PatternLabelLine(FieldText(labels, kPatternColumns[PATTERN_GAIN_1]),
                                        FieldText(labels, kPatternColumns[PATTERN_GAIN_2])));
    m_output.WriteLine(PatternUnitsLine());

    PatternRowTexts texts;
    PatternRowBuffer buffer;
    long directions = 0;
    // The rows run to a blank line, or to whatever nec2c prints next.
    for (i += 5; i < m_lines.size() && ReadPatternRow(m_lines[i], texts); ++i, ++directions) {
        FormatPatternRow(texts, buffer);
        m_output.WriteLine(std::string_view(buffer.data(), buffer.size()));
    }
    for (int k = 0; k < kListingPatternEndBlankLines; ++k) m_output.WriteLine("");
    m_output.WriteLine(PatternEndLine(directions));
    return i;
}

}  // namespace

ListingBuildResult BuildListing(std::string_view nec2cOutput, const std::vector<DeckCard>& cards,
                                std::string_view deckName, CLineOutput& output) {
    CListingBuilder builder(nec2cOutput, cards, output);
    return builder.Build(deckName);
}
