#include "tests/solver/ListingReaderEmulation.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const std::string kEndOfPattern = "\n\n\n\n\n\n\n **";

// A read position in the listing's bytes with the reader's three kinds of
// access. Reads past the end deliver what is there and set `atEnd`.
class CByteReader {
  public:
    explicit CByteReader(const std::string& bytes) : m_bytes(bytes) {}

    void Seek(std::size_t position) { m_position = position; }
    std::size_t Position() const { return m_position; }
    bool AtEnd() const { return m_position >= m_bytes.size(); }

    void Skip(std::size_t count) { m_position += count; }

    std::string Characters(std::size_t count) {
        std::string text;
        while (text.size() < count && m_position < m_bytes.size()) text += Next();
        return text;
    }

    std::string Line(std::size_t limit) {
        std::string text;
        while (text.size() < limit - 1 && m_position < m_bytes.size()) {
            const char c = Next();
            text += c;
            if (c == '\n') break;
        }
        return text;
    }

  private:
    char Next() {
        if (m_bytes[m_position] == '\r' && m_position + 1 < m_bytes.size() &&
            m_bytes[m_position + 1] == '\n') {
            m_position += 2;
            return '\n';
        }
        return m_bytes[m_position++];
    }

    const std::string& m_bytes;
    std::size_t m_position = 0;
};

// The first token and the rest after it, blanks only separating.
std::string Token(const std::string& text, std::size_t& position) {
    while (position < text.size() && text[position] == ' ') ++position;
    const std::size_t start = position;
    while (position < text.size() && text[position] != ' ') ++position;
    return text.substr(start, position - start);
}

std::string FirstToken(const std::string& text) {
    std::size_t position = 0;
    return Token(text, position);
}

float Number(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }

// Line reads until one has `token` first; false at the end of the file.
bool FindToken(CByteReader& reader, std::size_t limit, const std::string& token) {
    while (!reader.AtEnd()) {
        if (FirstToken(reader.Line(limit)) == token) return true;
    }
    return false;
}

bool FindDegrees(CByteReader& reader) {
    while (!reader.AtEnd()) {
        if (reader.Line(18) == " DEGREES  DEGREES") return true;
    }
    return false;
}

std::array<float, 6> WireRow(const std::string& line) {
    std::size_t position = 0;
    Token(line, position);
    std::array<float, 6> row{};
    for (float& value : row) value = Number(Token(line, position));
    return row;
}

std::vector<float> PatternColumn(const std::string& bytes, std::size_t skip, std::size_t width,
                                 std::size_t count) {
    CByteReader reader(bytes);
    std::vector<float> values;
    if (!FindDegrees(reader)) return values;
    reader.Skip(skip);
    for (std::size_t i = 0; i < count; ++i) {
        values.push_back(Number(reader.Characters(width)));
        reader.Skip(122 - width);
    }
    return values;
}

}  // namespace

EmulatedListing ReadLikeQuadrell(const std::string& bytes) {
    EmulatedListing listing;
    if (bytes.size() >= 22) {
        CByteReader reader(bytes);
        reader.Seek(bytes.size() - 22);
        listing.complete = reader.Characters(10) == "RUN TIME =";
    }

    {
        CByteReader reader(bytes);
        if (FindToken(reader, 80, "TAG")) {
            reader.Line(118);
            reader.Line(118);
            reader.Skip(63);
            listing.impedanceRealText = reader.Characters(12);
            listing.impedanceImagText = reader.Characters(12);
            listing.impedanceFound = !reader.AtEnd();
        }
    }

    {
        CByteReader reader(bytes);
        if (FindToken(reader, 118, "WIRE")) {
            listing.wireTableFound = true;
            reader.Line(118);
            listing.wires.push_back(WireRow(reader.Line(118)));
            while (!reader.AtEnd()) {
                const std::string line = reader.Line(118);
                if (FirstToken(line) == "\n") break;
                listing.wires.push_back(WireRow(line));
            }
        }
    }

    {
        CByteReader reader(bytes);
        if (FindDegrees(reader)) {
            listing.patternFound = true;
            reader.Skip(103);
            std::size_t count = 0;
            while (!reader.AtEnd()) {
                if (reader.Characters(10) == kEndOfPattern) {
                    listing.patternEnded = true;
                    break;
                }
                ++count;
                reader.Skip(112);
            }
            listing.theta = PatternColumn(bytes, 103, 10, count);
            listing.phi = PatternColumn(bytes, 113, 10, count);
            listing.eTheta = PatternColumn(bytes, 180, 12, count);
            listing.ePhi = PatternColumn(bytes, 204, 12, count);
        }
    }
    return listing;
}

MarkerOffsets FindMarkers(const std::string& bytes) {
    MarkerOffsets offsets;
    auto find = [&bytes](std::size_t limit, auto matches) -> long {
        CByteReader reader(bytes);
        while (!reader.AtEnd()) {
            const std::size_t start = reader.Position();
            if (matches(reader.Line(limit))) return static_cast<long>(start);
        }
        return -1;
    };
    offsets.tag = find(80, [](const std::string& line) { return FirstToken(line) == "TAG"; });
    offsets.wire = find(118, [](const std::string& line) { return FirstToken(line) == "WIRE"; });
    offsets.degrees = find(18, [](const std::string& line) { return line == " DEGREES  DEGREES"; });
    return offsets;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
