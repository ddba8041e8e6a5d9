#pragma once

#include <optional>

struct LockState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The keyboard's lock indicators, where the windowing system lets us read
// them (X11); nothing elsewhere.
std::optional<LockState> QueryLockState();
