#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct DeckFileResult {
    bool written = false;
    // Why the file was not written ("Permission denied", ...); empty on success.
    std::string errorText;
};

// Puts `text` into the file at `path` all or nothing. The text goes to a new
// temporary file in the same folder, which replaces the chosen name only once
// every byte is written and flushed to disk. On any failure the chosen path is
// left exactly as it was, a file that was there keeps its contents, and no
// temporary file stays behind. A symbolic link at `path` keeps pointing where
// it did; the file it names is replaced.
DeckFileResult WriteDeckFile(const std::filesystem::path& path, std::string_view text);
