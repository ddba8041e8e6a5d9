#include "nec/ListingSweep.h"

#include <array>
#include <utility>

#include "nec/ListingReader.h"
#include "nec/MappedFile.h"
#include "nec/TextModeReader.h"

// The sweep is read line by line and by words, not by columns, so that a
// number wider than its column still reads. Each "FREQUENCY" line opens a
// step; the input parameter and pattern tables that follow belong to it
// until the next one.

namespace {

// Long enough for any row the solver prints with room for wide numbers; a
// table row longer than this is taken for damage, not read in pieces.
constexpr std::size_t kLineLimit = 1024;

// The title, a blank line, the group titles and the column labels.
constexpr int kMostPatternHeadingLines = 8;

constexpr std::string_view kRunCompleted = "RUN TIME =";

// A word as the C library's strtod would take it whole: a sign, digits with
// at most one point, and an exponent with digits.
bool IsNumber(std::string_view word) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    bool digits = false;
    bool point = false;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < word.size() && (word[i] == 'E' || word[i] == 'e')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
        if (i == word.size()) return false;
        for (; i < word.size(); ++i) {
            if (word[i] < '0' || word[i] > '9') return false;
        }
    }
    return i == word.size();
}

// The line without its line end and trailing blanks.
std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    return line;
}

// The first N words of a line, blank-separated, when it has that many and
// they are all numbers.
template <std::size_t N>
bool LeadingNumbers(std::string_view line, std::array<std::string_view, N>& words) {
    CBlankTokens tokens(line);
    for (std::string_view& word : words) {
        word = tokens.Next();
        if (!IsNumber(word)) return false;
    }
    return true;
}

// A heading such as "------ RADIATION PATTERNS ------": the title between
// runs of dashes, or standing alone.
bool IsTitle(std::string_view line, std::string_view title) {
    std::string_view text = Trimmed(line);
    while (!text.empty() && (text.front() == ' ' || text.front() == '-')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '-')) text.remove_suffix(1);
    return text == title;
}

// The last line of a finished run starts with the run time; line ends after
// it may be either kind.
bool RunCompleted(std::string_view listing) {
    const std::string_view text = Trimmed(listing);
    const std::size_t start = text.find_last_of('\n') + 1;  // 0 when there is none
    return text.substr(start).starts_with(kRunCompleted);
}

class CSweepReader {
  public:
    explicit CSweepReader(std::string_view listing) : m_reader(listing), m_size(listing.size()) {}

    std::optional<ListingSweep> Read(std::string& error) {
        for (;;) {
            const std::string_view line = NextLine();
            if (line.empty()) break;
            if (IsTitle(line, "FREQUENCY")) {
                if (!ReadFrequency()) break;
            } else if (m_sweep.steps.empty()) {
                // Before the first frequency only the deck's own text and the
                // structure come: a title there is the user's comment.
            } else if (IsTitle(line, "ANTENNA INPUT PARAMETERS")) {
                if (!ReadInputParameters()) break;
            } else if (IsTitle(line, "RADIATION PATTERNS")) {
                if (!ReadPattern()) break;
            }
        }
        if (m_error.empty() && m_sweep.steps.empty()) m_error = "The listing holds no frequency.";
        if (!m_error.empty()) {
            error = std::move(m_error);
            return std::nullopt;
        }
        error.clear();
        return std::move(m_sweep);
    }

  private:
    // The next line, counted; empty at the end of the listing.
    std::string_view NextLine() {
        const std::string_view line = m_reader.Line(kLineLimit);
        if (!line.empty()) ++m_lineNumber;
        return line;
    }

    // A table row: the next whole line, or nothing (with the reason) when
    // the listing ends first or the line is too long to be a row.
    std::optional<std::string_view> NextRow(std::string_view table) {
        const std::string_view line = NextLine();
        if (line.empty()) return Fail("The listing ends inside the " + std::string(table) + ".");
        if (line.back() != '\n' && m_reader.Position() < m_size) {
            return Fail("Line " + std::to_string(m_lineNumber) + " of the " + std::string(table) +
                        " is too long.");
        }
        return line;
    }

    std::nullopt_t Fail(std::string reason) {
        if (m_error.empty()) m_error = std::move(reason);
        return std::nullopt;
    }
    bool Refuse(std::string reason) {
        Fail(std::move(reason));
        return false;
    }
    bool Malformed(std::string_view table) {
        Fail("Line " + std::to_string(m_lineNumber) + " is not a row of the " + std::string(table) +
             ".");
        return false;
    }

    // The title is followed by "FREQUENCY : 2.8600E+01 MHz", which opens a
    // step.
    bool ReadFrequency() {
        constexpr std::string_view kBlock = "frequency block";
        const std::optional<std::string_view> line = NextRow(kBlock);
        if (!line) return false;
        CBlankTokens words(Trimmed(*line));
        const std::string_view label = words.Next();
        const std::string_view colon = words.Next();
        const std::string_view value = words.Next();
        if (label != "FREQUENCY" || colon != ":" || !IsNumber(value)) return Malformed(kBlock);
        m_sweep.steps.push_back({Atof(value), {}, {}});
        return true;
    }

    // Two heading lines, the first starting with "TAG", then one row per
    // source up to a blank line: tag, segment, voltage, current, impedance,
    // admittance (real and imaginary each) and power.
    bool ReadInputParameters() {
        constexpr std::string_view kTable = "antenna input parameters";
        SweepStep& step = m_sweep.steps.back();
        std::optional<std::string_view> row = NextRow(kTable);
        if (!row) return false;
        if (FirstToken(*row) != "TAG") return Malformed(kTable);
        if (!NextRow(kTable)) return false;
        for (;;) {
            row = NextRow(kTable);
            if (!row) return false;
            if (Trimmed(*row).empty()) return true;
            std::array<std::string_view, 8> words;
            if (!LeadingNumbers(Trimmed(*row), words)) return Malformed(kTable);
            if (m_sourceCount++ == kMostListingWires) {
                return Refuse("The listing holds more sources than can be read.");
            }
            step.sources.push_back(
                {Atoi(words[0]), Atoi(words[1]), Atof(words[6]), Atof(words[7])});
        }
    }

    // Heading lines up to the units line " DEGREES  DEGREES ...", the one
    // before it naming the two polarisation columns; then one row per
    // direction up to a blank line: theta, phi, the two polarisation gains
    // and the total gain come first, whatever follows them.
    bool ReadPattern() {
        constexpr std::string_view kTable = "radiation pattern";
        SweepStep& step = m_sweep.steps.back();
        // A line read may live in the reader's buffer, which the next read
        // reuses: the labels are kept as a copy.
        std::string labelLine;
        for (int heading = 0;; ++heading) {
            if (heading == kMostPatternHeadingLines) return Malformed(kTable);
            const std::optional<std::string_view> row = NextRow(kTable);
            if (!row) return false;
            CBlankTokens words(Trimmed(*row));
            if (words.Next() == "DEGREES" && words.Next() == "DEGREES") break;
            labelLine = Trimmed(*row);
        }
        CBlankTokens labels(labelLine);
        const std::string_view theta = labels.Next();
        const std::string_view phi = labels.Next();
        const std::string_view first = labels.Next();
        const std::string_view second = labels.Next();
        if (theta != "THETA" || phi != "PHI" || labels.Next() != "TOTAL") return Malformed(kTable);
        if (m_sweep.firstPolarisation.empty()) {
            m_sweep.firstPolarisation = first;
            m_sweep.secondPolarisation = second;
        }
        for (;;) {
            const std::optional<std::string_view> row = NextRow(kTable);
            if (!row) return false;
            if (Trimmed(*row).empty()) return true;
            std::array<std::string_view, 5> words;
            if (!LeadingNumbers(Trimmed(*row), words)) return Malformed(kTable);
            if (m_patternRowCount++ == kMostPatternPoints) {
                return Refuse("The listing holds more pattern rows than can be read.");
            }
            step.pattern.push_back(
                {Atof(words[0]), Atof(words[1]), Atof(words[2]), Atof(words[3]), Atof(words[4])});
        }
    }

    CTextModeReader m_reader;
    std::size_t m_size;
    std::size_t m_lineNumber = 0;
    std::size_t m_sourceCount = 0;
    std::size_t m_patternRowCount = 0;
    ListingSweep m_sweep;
    std::string m_error;
};

}  // namespace

std::optional<ListingSweep> ReadListingSweep(std::string_view listing, std::string& error) {
    if (!RunCompleted(listing)) {
        error = "The run did not complete: the listing does not end with its run time.";
        return std::nullopt;
    }
    return CSweepReader(listing).Read(error);
}

std::optional<ListingSweep> ReadListingSweepFile(const std::filesystem::path& path,
                                                 std::string& error) {
    const CMappedFile file(path);
    std::optional<ListingSweep> sweep;
    std::string readError;
    error = file.Read([&](std::string_view bytes) { sweep = ReadListingSweep(bytes, readError); });
    if (!error.empty()) return std::nullopt;
    error = std::move(readError);
    return sweep;
}
