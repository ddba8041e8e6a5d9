#include "nec/DeckFile.h"

#include "nec/ReplacementFile.h"

DeckFileResult WriteDeckFile(const std::filesystem::path& path, std::string_view text) {
    CReplacementFile file(path);
    file.Write(text);
    if (!file.Commit()) return DeckFileResult{false, file.ErrorText()};
    return DeckFileResult{true, {}};
}
