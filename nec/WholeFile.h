#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>

// The most a deck may hold: far beyond any real antenna, and small enough to
// read into memory at once.
inline constexpr std::size_t kLargestDeck = std::size_t{64} << 20;

// Opens the regular file at `path` for reading and tells its size as opened.
// The descriptor, or -1 with the reason ("No such file or directory", "not a
// regular file", ...) in `error`. Anything but a regular file is refused
// before it is opened: opening a device may act by itself (a new
// pseudo-terminal, a rewound tape), and opening a pipe wakes its writer.
int OpenRegularFile(const std::filesystem::path& path, std::size_t& size, std::string& error);

// Reads the whole regular file at `path` into `text`. False, with the reason
// ("No such file or directory", "not a regular file", ...) in `error`, when
// it cannot, and when it holds more than `largest` bytes. A device or a pipe
// is never read: it could feed the reader for ever, or never at all.
bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error,
                   std::size_t largest = std::numeric_limits<std::size_t>::max());
