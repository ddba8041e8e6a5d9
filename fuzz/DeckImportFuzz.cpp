// The deck import on any bytes: all or nothing, and only numbers a drawing can
// hold.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "model/QuadrellDoc.h"
#include "nec/DeckImport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view deck(reinterpret_cast<const char*>(data), size);
    DeckImport imported = ReadDeckImport(deck, {});
    if (!imported.failure.empty()) {
        FUZZ_CHECK(imported.wires.empty() && imported.sources.empty());
        FUZZ_CHECK(SkipMessage(imported.skipped).empty());
        return 0;
    }
    const auto finite = [](const CElement& e) {
        return std::isfinite(e.GetStartX()) && std::isfinite(e.GetStartY()) &&
               std::isfinite(e.GetEndX()) && std::isfinite(e.GetEndY());
    };
    for (const auto& wire : imported.wires) {
        FUZZ_CHECK(finite(*wire) && std::isfinite(wire->GetStartZ()));
        FUZZ_CHECK(wire->GetLength() > 0 && std::isfinite(wire->GetLength()));
        FUZZ_CHECK(wire->GetAngle() >= 0 && wire->GetAngle() <= 360);
        FUZZ_CHECK(std::isfinite(wire->GetRadius()) && std::isfinite(wire->GetSegments()));
    }
    for (const auto& source : imported.sources) {
        FUZZ_CHECK(finite(*source) && std::isfinite(source->GetZ()));
        FUZZ_CHECK(source->GetMagnitude() >= 0 && std::isfinite(source->GetMagnitude()));
        FUZZ_CHECK(source->GetPhase() >= -180 && source->GetPhase() <= 180);
    }
    const std::size_t count = imported.wires.size() + imported.sources.size();
    CQuadrellDoc doc;
    AddImportedElements(doc, imported);
    FUZZ_CHECK(doc.GetElements().GetCount() == count);
    return 0;
}
