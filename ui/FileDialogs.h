#pragma once

#include <QString>

class QWidget;

// The file dialogs of the commands: Qt's own rather than the desktop's, so
// that they behave the same everywhere, with no filter. Each returns the
// chosen full path, or empty on Cancel.

// A name to write a deck under, offered as "untitled"; "in" is added to a
// name typed without an extension, and an existing file is replaced only
// after the user agrees.
QString AskDeckPath(QWidget* parent);

// An existing file to read, the name field holding a single blank; "out" is
// added to a name typed without an extension.
QString AskOpenFilePath(QWidget* parent);

// A name to write a result file under, offered as `initialName`;
// `defaultSuffix` is added to a name typed without an extension, and an
// existing file is replaced only after the user agrees.
QString AskSavePath(QWidget* parent, const QString& defaultSuffix, const QString& initialName);
