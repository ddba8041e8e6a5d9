#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Reads a file's bytes the way a C program reads a file opened in text mode:
// a carriage return directly followed by a line feed is delivered as one line
// feed (the pair counts as one character and is consumed whole), while skips
// move over the bytes as stored. Nothing is ever read outside the bytes: at
// the end a read delivers what is left, and after it nothing.
class CTextModeReader {
  public:
    explicit CTextModeReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Position() const { return m_position; }
    void Seek(std::size_t position) { m_position = position; }
    // Moves `count` bytes forward as stored, line ends counted as stored.
    void Skip(std::size_t count) { m_position += count; }

    // Delivers up to `count` characters; fewer only at the end of the bytes.
    // The text stays valid until the next read.
    std::string_view Characters(std::size_t count) {
        // Without a carriage return in reach the characters are the bytes.
        if (m_position < m_bytes.size() && count <= m_bytes.size() - m_position) {
            const char* start = m_bytes.data() + m_position;
            bool plain = true;
            for (std::size_t i = 0; i < count; ++i) plain &= start[i] != '\r';
            if (plain) {
                m_position += count;
                return {start, count};
            }
        }
        return CharactersWithPairs(count);
    }

    // Delivers the characters up to and including the next line feed, or
    // `limit` - 1 characters when no line feed comes sooner; the rest of a
    // longer line comes with the next read. Empty only at the end of the
    // bytes. The text stays valid until the next read.
    std::string_view Line(std::size_t limit);

  private:
    std::string_view CharactersWithPairs(std::size_t count);

    std::string_view m_bytes;
    std::size_t m_position = 0;
    std::string m_buffer;
};

// The tokens of a line as the C library's strtok with a blank as the only
// separator sees them: tabs and line feeds belong to the tokens, so a line
// that is empty or holds only blanks has the single token "\n".
class CBlankTokens {
  public:
    explicit CBlankTokens(std::string_view text) : m_text(text) {}

    // The next token, or empty text when there is none.
    std::string_view Next();

  private:
    std::string_view m_text;
};

// The first token of a line read (see CBlankTokens).
std::string_view FirstToken(std::string_view line);

// The C library's atof in the "C" locale, whatever the process locale:
// leading white space is skipped, then the longest decimal number with an
// optional exponent is converted; anything else gives 0. Hexadecimal, "inf"
// and "nan" texts are not numbers here. Values too large for a double give
// plus or minus infinity, values too small zero.
double Atof(std::string_view text);

// The C library's atoi: leading white space is skipped, then an optionally
// signed run of decimal digits is converted; anything else gives 0. Values
// beyond the int range are held at its nearest end.
int Atoi(std::string_view text);
