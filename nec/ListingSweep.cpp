#include "nec/ListingSweep.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number a whole word spells, read the C way whatever the locale: a
// sign, digits with at most one point, an optional exponent. Nothing for any
// other word, "inf" and "nan" included. Listings print short numbers, which
// come out in one multiplication or division (correctly rounded, as Atof
// gives them); anything longer is left to Atof.
std::optional<double> Number(std::string_view word) {
    const char* p = word.data();
    const char* const end = p + word.size();
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    std::uint64_t digits = 0;
    int count = 0;
    int scale = 0;
    for (; p < end && IsDigit(*p); ++p, ++count) digits = digits * 10 + unsigned(*p - '0');
    if (p < end && *p == '.') {
        for (++p; p < end && IsDigit(*p); ++p, ++count, --scale)
            digits = digits * 10 + unsigned(*p - '0');
    }
    if (count == 0) return std::nullopt;
    int exponent = 0;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        const bool negativeExponent = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-')) ++p;
        if (p == end) return std::nullopt;
        for (; p < end && IsDigit(*p); ++p) exponent = std::min(exponent * 10 + (*p - '0'), 9999);
        if (negativeExponent) exponent = -exponent;
    }
    if (p != end) return std::nullopt;

    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int power = scale + exponent;
    if (count > 19 || digits > (std::uint64_t{1} << 53) || power < -22 || power > 22) {
        return Atof(word);
    }
    const double value = power >= 0 ? static_cast<double>(digits) * kPowers[power]
                                    : static_cast<double>(digits) / kPowers[-power];
    return negative ? -value : value;
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
bool LeadingNumbers(std::string_view line, std::array<std::string_view, N>& words,
                    std::array<double, N>& values) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < N; ++i) {
        while (at < line.size() && line[at] == ' ') ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ') ++at;
        words[i] = line.substr(start, at - start);
        const std::optional<double> value = Number(words[i]);
        if (!value) return false;
        values[i] = *value;
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
        const std::optional<double> megahertz = Number(value);
        if (label != "FREQUENCY" || colon != ":" || !megahertz) return Malformed(kBlock);
        // A sweep prints the same pattern table at every frequency.
        const std::size_t rows = m_sweep.steps.empty() ? 0 : m_sweep.steps.back().pattern.size();
        m_sweep.steps.push_back({*megahertz, {}, {}});
        m_sweep.steps.back().pattern.reserve(rows);
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
            std::array<double, 8> values;
            if (!LeadingNumbers(Trimmed(*row), words, values)) return Malformed(kTable);
            if (m_sourceCount++ == kMostListingWires) {
                return Refuse("The listing holds more sources than can be read.");
            }
            step.sources.push_back({Atoi(words[0]), Atoi(words[1]), values[6], values[7]});
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
            std::array<double, 5> values;
            if (!LeadingNumbers(Trimmed(*row), words, values)) return Malformed(kTable);
            if (m_patternRowCount++ == kMostPatternPoints) {
                return Refuse("The listing holds more pattern rows than can be read.");
            }
            step.pattern.push_back({values[0], values[1], values[2], values[3], values[4]});
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
