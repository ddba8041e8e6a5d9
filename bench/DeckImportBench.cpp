// Importing a large deck: 10,000 GW cards and 1,000 EX cards, each EX naming
// a wire near the end of the geometry, read and handed over to a design. The
// whole import must take well under a second.
#include <benchmark/benchmark.h>

#include <string>

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

}  // namespace
