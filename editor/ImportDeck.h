#pragma once

#include <QString>

#include "model/Point.h"
#include "nec/RunSettings.h"

class CQuadrellDoc;
class QUndoStack;
class QWidget;

// Imports the NEC-2 deck at `path` into `document`, drawn relative to
// `origin`: the wires and sources it can draw, with the deck's ground and
// drawing plane, or, with a message saying why, nothing at all. When something
// was left out a message says what. On success `offeredSweep` becomes the
// deck's frequency sweep, for the next Generate Input File. True when the deck
// was imported, as one step on `history`.
bool ImportDeckFile(QWidget* parent, CQuadrellDoc& document, QUndoStack& history, CPoint origin,
                    const QString& path, FrequencySettings& offeredSweep);
