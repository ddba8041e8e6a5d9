#include "ui/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Quadrell"), text, QMessageBox::Ok, parent);
    // Messages carry file names and file contents; left to guess, Qt would
    // take a name holding tags for markup and show, or even fetch, what it says.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QString CannotReadText(const QString& path, const QString& reason, const QString& outcome) {
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    return QStringLiteral("Cannot read %1: %2.\n%3").arg(shown, reason, outcome);
}

void ShowQuadrellMessage(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Warning, text);
}

void ShowQuadrellInformation(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Information, text);
}

int AskQuadrellChoice(QWidget* parent, const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Quadrell"), text, QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> shown;
    for (const QString& label : buttons) {
        const bool last = shown.size() + 1 == buttons.size();
        shown << box.addButton(label, shown.isEmpty() ? QMessageBox::AcceptRole
                                      : last          ? QMessageBox::RejectRole
                                                      : QMessageBox::DestructiveRole);
    }
    if (!shown.isEmpty()) {
        box.setDefaultButton(static_cast<QPushButton*>(shown.front()));
        box.setEscapeButton(shown.back());
    }
    box.exec();
    return static_cast<int>(shown.indexOf(box.clickedButton()));
}
