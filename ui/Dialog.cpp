#include "ui/Dialog.h"

#include <QPushButton>
#include <QShowEvent>

void CDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        OnInitDialog();
        if (auto* ok = findChild<QPushButton*>(QStringLiteral("IDOK"))) {
            ok->setFocus(Qt::OtherFocusReason);
        }
    }
    QDialog::showEvent(event);
}
