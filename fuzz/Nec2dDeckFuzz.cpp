// NEC2d's lenient deck reader on any bytes: a deck it accepts ends in EN, and
// the clean copy it hands to nec2c reads back as the same cards.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "solver/DeckReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DeckReadResult deck = ReadDeck(text);
    FUZZ_CHECK(deck.ok == deck.errorText.empty());
    if (!deck.ok) return 0;
    FUZZ_CHECK(!deck.cards.empty() && deck.cards.back().mnemonic == "EN");
    for (const DeckCard& card : deck.cards) {
        FUZZ_CHECK(IsKnownCard(card.mnemonic) || card.mnemonic == "CM" || card.mnemonic == "CE");
        for (const double real : card.reals) FUZZ_CHECK(std::isfinite(real));
    }

    const std::string clean = CleanDeckText(deck.cards);
    const DeckReadResult again = ReadDeck(clean);
    FUZZ_CHECK(again.ok);
    FUZZ_CHECK(again.cards.size() == deck.cards.size());
    for (std::size_t i = 0; i < deck.cards.size() && i < again.cards.size(); ++i) {
        const DeckCard& was = deck.cards[i];
        const DeckCard& read = again.cards[i];
        FUZZ_CHECK(read.mnemonic == was.mnemonic && read.comment == was.comment);
        FUZZ_CHECK(read.integers == was.integers && read.reals == was.reals);
    }
    return 0;
}
