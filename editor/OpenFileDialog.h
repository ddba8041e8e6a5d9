#pragma once

#include <QString>

class QWidget;

// Asks for an existing file to read: Qt's own open dialog, so that it behaves
// the same everywhere, with the name field holding a single blank, no filter,
// and "out" added to a name typed without an extension. The chosen full path,
// or empty on Cancel.
QString AskOpenFilePath(QWidget* parent);
