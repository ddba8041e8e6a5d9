// Importing a large deck: 10,000 GW cards and 1,000 EX cards, each EX naming
// a wire near the end of the geometry, read and handed over to a design. The
// whole import must take well under a second. And the 75 example decks of
// another NEC-2 program, copied, reflected and rotated by their geometry
// cards: all of them together in under half a second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"

namespace {

constexpr int kWires = 10000;
constexpr int kExcitations = 1000;

std::string LargeDeck() {
    std::string deck = "CM Deck import benchmark\r\nCE\r\n";
    for (int tag = 1; tag <= kWires; ++tag) {
        const std::string x = std::to_string(tag % 200) + ".25";
        deck +=
            "GW " + std::to_string(tag) + " 11 " + x + " -12.5 1.5 " + x + " 37.75 1.5 1.e-003\r\n";
    }
    deck += "GE\r\n";
    for (int i = 0; i < kExcitations; ++i) {
        deck += "EX 0 " + std::to_string(kWires - i) + (i % 2 ? " 11" : " 1") +
                " 00 7.07107e-001 -7.07107e-001 0 0 0 0\r\n";
    }
    return deck + "FR 0 1 0 0 3.500 0.000 0 0 0 0\r\nEN";
}

void BM_ImportLargeDeck(benchmark::State& state) {
    const std::string deck = LargeDeck();
    for (auto _ : state) {
        CQuadrellDoc doc;
        DeckImport imported = ReadDeckImport(deck, {});
        AddImportedElements(doc, imported);
        if (doc.GetElements().GetCount() != kWires + kExcitations) {
            state.SkipWithError("the deck did not import whole");
            break;
        }
    }
    state.SetLabel(std::to_string(deck.size() / 1024) + " KiB deck");
}
BENCHMARK(BM_ImportLargeDeck)->Unit(benchmark::kMillisecond);

void BM_ImportOutsideDecks(benchmark::State& state) {
    std::vector<std::string> decks;
    for (const auto& entry : std::filesystem::directory_iterator(QUADRELL_OUTSIDE_DECKS_DIR)) {
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        decks.push_back(bytes.str());
    }
    if (decks.size() != 75) state.SkipWithError("the 75 example decks are not all there");
    for (auto _ : state) {
        for (const std::string& deck : decks) {
            CQuadrellDoc doc;
            DeckImport imported = ReadDeckImport(deck, {});
            ApplyDeckImport(doc, imported);
            benchmark::DoNotOptimize(doc.GetElements().GetCount());
        }
    }
    state.SetLabel(std::to_string(decks.size()) + " decks");
}
BENCHMARK(BM_ImportOutsideDecks)->Unit(benchmark::kMillisecond);

}  // namespace
