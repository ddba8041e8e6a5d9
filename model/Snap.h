#pragma once

#include <array>
#include <cstddef>

#include "model/Point.h"
#include "model/ViewScale.h"

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

// The grid, in pixels from the origin: x = -500..500 and y = -300..300 in
// steps of 100, x outer and y inner, so entry (x/100 + 5) * 7 + (y/100 + 3)
// is (x, y). It keeps its pixels at every scale: at 10 px/m its points are
// 10 m apart.
inline constexpr std::size_t kGridPointCount = 77;
using GridPoints = std::array<CPoint, kGridPointCount>;
GridPoints MakeGridPoints();

// The status bar text of a snap mode. Any code but the three snapping ones
// reads as "Snap Off", since no snapping happens then.
const char* SnapModeText(int snapMode);

// The element's start point minus the press point (both in metres), each
// difference taken in floats and truncated towards zero to whole pixels of
// `view`: at actual size to whole metres.
CPointF GrabOffset(const CElement& element, CPointF press, const CViewScale& view = {});

// The end grabbed by a press at `press` on `element`: the end on whose half
// of the element the press lies, split at the midpoint along x for a
// horizontal element and along y otherwise. A press exactly on the split line
// of a slanted element keeps `previous`. A source's angle is 0, so a press on
// it always grabs an end, though for a source both ends snap its centre.
int GrabbedEndAfterPress(const CElement& element, CPointF press, int previous);

// The new start point of `selected`, in metres, while it is dragged with the
// mouse at pixel `mouse` of `view`. Starts at the mouse's metres plus
// grabOffset, then walks the document's elements in list order with the
// tests of `snapMode`, in pixels: another element's start, its end, the
// origin (each of which ends the walk), then the first grid point near the
// mouse (which does not). Every target found is applied at once to the
// grabbed end, a later one replacing an earlier one, so that the end lands
// exactly on the target's coordinates; with no end grabbed a target changes
// nothing. `origin` is the deck's origin in metres.
CPointF SnapDragStart(const CQuadrellDoc& doc, const CElement& selected, CPoint mouse,
                      const CViewScale& view, CPointF grabOffset, int snapMode, int grabbedEnd,
                      CPoint origin, const GridPoints& grid);
