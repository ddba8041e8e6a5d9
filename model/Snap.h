#pragma once

#include <array>
#include <cstddef>

#include "model/Point.h"

class CElement;
class CQuadrellDoc;

// Snap modes of an editor view.
inline constexpr int SNAP_OFF = 0;
inline constexpr int SNAP_ALL = 1;      // element ends, origin and grid
inline constexpr int SNAP_GRID = 2;     // origin and grid
inline constexpr int SNAP_ELEMENT = 3;  // element ends only

// Which end of a dragged element follows a snap target; 0 until a press has
// picked one.
inline constexpr int GRAB_START = 1;
inline constexpr int GRAB_END = 2;

// The grid: x = -500..500 and y = -300..300 in steps of 100, x outer and
// y inner, so entry (x/100 + 5) * 7 + (y/100 + 3) is (x, y).
inline constexpr std::size_t kGridPointCount = 77;
using GridPoints = std::array<CPoint, kGridPointCount>;
GridPoints MakeGridPoints();

// The status bar text of a snap mode. Any code but the three snapping ones
// reads as "Snap Off", since no snapping happens then.
const char* SnapModeText(int snapMode);

// The element's start point minus the press point, each difference taken in
// floats and truncated towards zero.
CPoint GrabOffset(const CElement& element, CPoint press);

// The end grabbed by a press at `press` on `element`: the end on whose half
// of the element the press lies, split at the midpoint along x for a
// horizontal element and along y otherwise. A press exactly on the split line
// of a slanted element keeps `previous`. A source's angle is 0, so a press on
// it always grabs an end, though for a source both ends snap its centre.
int GrabbedEndAfterPress(const CElement& element, CPoint press, int previous);

// The new start point of `selected` while it is dragged with the mouse at
// `mouse`. Starts at mouse + grabOffset, then walks the document's elements
// in list order with the tests of `snapMode`: another element's start, its
// end, the origin (each of which ends the walk), then the first grid point
// near the mouse (which does not). Every target found is applied at once to
// the grabbed end, a later one replacing an earlier one, and truncated
// towards zero; with no end grabbed a target changes nothing.
CPoint SnapDragStart(const CQuadrellDoc& doc, const CElement& selected, CPoint mouse,
                     CPoint grabOffset, int snapMode, int grabbedEnd, CPoint origin,
                     const GridPoints& grid);
