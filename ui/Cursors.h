#pragma once

#include <QCursor>

// The placement cursors of the editor, drawn in code: a short diagonal line
// for wires (hot spot at the top left corner) and a small plus for sources
// (hot spot (15, 16)).
QCursor MakeWireCursor();
QCursor MakeSourceCursor();
