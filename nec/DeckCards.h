#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One line of a deck, split the way NEC-2 reads a card: fields separated by
// blanks, tabs or commas, the card name in either case.
struct ImportCard {
    // The first field in upper case; empty for a blank line.
    std::string mnemonic;
    // The line without its line end, to quote in a message.
    std::string_view text;
    // The fields after the card name.
    std::vector<std::string_view> fields;

    // Field `index` after the card name by atoi and atof; 0 when it is missing.
    int Integer(std::size_t index) const;
    double Real(std::size_t index) const;
    // CM and CE cards, with or without text behind them.
    bool IsComment() const;
};

// Hands out the lines of a deck one card at a time, whatever their length,
// with LF or CR LF line ends; the last line needs no line end.
class CDeckCardReader {
  public:
    explicit CDeckCardReader(std::string_view deck) : m_rest(deck) {}

    // Fills `card` with the next line; false when the deck has no more.
    bool Next(ImportCard& card);

  private:
    std::string_view m_rest;
};
