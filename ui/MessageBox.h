#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The application's message box: caption "Quadrell", one OK button, modal,
// with a warning icon: something failed or was refused.
void ShowQuadrellMessage(QWidget* parent, const QString& text);
// The same with an information icon, for news that is no failure.
void ShowQuadrellInformation(QWidget* parent, const QString& text);

// "Cannot read PATH: REASON." above `outcome`, the path made absolute as the
// user's file system shows it.
QString CannotReadText(const QString& path, const QString& reason, const QString& outcome);

// A question with a question icon and a button for each of `buttons`, left
// to right; the last one is Escape's. The index of the button chosen.
int AskQuadrellChoice(QWidget* parent, const QString& text, const QStringList& buttons);
