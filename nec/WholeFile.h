#pragma once

#include <filesystem>
#include <string>

// Reads the whole file at `path` into `text`. False, with the system's reason
// ("No such file or directory", ...) in `error`, when it cannot.
bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error);
