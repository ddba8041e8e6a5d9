#pragma once

// A point in the editor's logical units: one unit is one screen pixel and one
// metre in the deck; x grows to the right, y downwards.
struct CPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const CPoint&, const CPoint&) = default;
};
