#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// One card of a NEC2 deck after lenient reading. Comment cards (CM, CE) keep
// their text; every other card holds its integer and real fields, missing
// fields being 0.
struct DeckCard {
    std::string mnemonic;  // two upper-case letters
    std::string comment;   // CM and CE only: the text after the mnemonic, as written
    std::array<long, 4> integers{};
    std::array<double, 7> reals{};
    int lineNumber = 0;  // line of the card in the deck, from 1
};

struct DeckReadResult {
    bool ok = false;
    std::vector<DeckCard> cards;  // up to and including EN (added when missing)
    std::string errorText;        // "Line 3: ...", empty when ok
};

// Reads a deck the way people and programs write them: fields separated by
// blanks, tabs or commas; integer fields written with a decimal point ("5.",
// "00") or an exponent taken as integers when they are whole; "D" exponents
// accepted; missing trailing fields are 0 and extra fields are ignored; blank
// lines are skipped, the mnemonic may be lower case, and reading stops at EN.
// Cards nec2c does not know, and numbers that are not numbers, are errors.
DeckReadResult ReadDeck(std::string_view text);

// The deck handed to nec2c: one card per line, LF line ends, every field
// written out, reals in the shortest form that reads back to the same value.
std::string CleanDeckText(const std::vector<DeckCard>& cards);

// Number of integer and real fields of a card; both 0 for comment cards and
// for mnemonics nec2c does not know (see IsKnownCard).
struct CardLayout {
    int integers = 0;
    int reals = 0;
};
bool IsKnownCard(std::string_view mnemonic);
bool IsGeometryCard(std::string_view mnemonic);
CardLayout LayoutOf(std::string_view mnemonic);
