#include "editor/MessageBox.h"

#include <QMessageBox>

void ShowQuadrellMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quadrell"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}
