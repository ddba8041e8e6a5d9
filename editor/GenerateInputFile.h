#pragma once

#include "model/Point.h"
#include "nec/RunSettings.h"

class CQuadrellDoc;
class QWidget;

// The Generate Input File command: asks for the frequency sweep, the
// far-field request and a file name, then writes the design as a NEC2D deck
// and says how it went. `lastSweep` is the view's remembered initial
// frequency, number of steps and increment, offered in the frequency dialog
// and updated as soon as it is confirmed;
// `tagCounter` is set to 0 and then counts the wires written. A wire the
// solver cannot take is reported before any dialog. A deck with a source on no
// wire end, or one that cannot be written completely, leaves the chosen file as
// it was. True when the deck was written.
bool GenerateInputFile(QWidget* parent, const CQuadrellDoc& doc, CPoint origin,
                       FrequencySettings& lastSweep, int& tagCounter);
