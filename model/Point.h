#pragma once

// A point in the editor's logical units: one unit is one screen pixel and one
// metre in the deck; x grows to the right, y downwards.
struct CPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const CPoint&, const CPoint&) = default;
};

// A place in the design in metres, on the same axes: where elements lie,
// which a zoomed view can set to a fraction of a metre.
struct CPointF {
    float x = 0;
    float y = 0;

    friend bool operator==(const CPointF&, const CPointF&) = default;
};
