#pragma once

#include <QString>

class QWidget;

// The application's message box: caption "Quadrell", one OK button, modal.
void ShowQuadrellMessage(QWidget* parent, const QString& text);
