#pragma once

#include <QString>

#include "model/Point.h"

class CQuadrellDoc;
class QUndoStack;
class QWidget;

// Imports the NEC2D deck at `path` into `document`, drawn relative to
// `origin`: all of its wires and sources, or, with a message saying why,
// nothing at all. When cards were skipped a message says which. True when
// the deck was imported, as one step on `history`.
bool ImportDeckFile(QWidget* parent, CQuadrellDoc& document, QUndoStack& history, CPoint origin,
                    const QString& path);
