#include "editor/FileDialogs.h"

#include <QFileDialog>

namespace {

QString AskFilePath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& defaultSuffix,
                    const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

QString AskDeckPath(QWidget* parent) {
    return AskFilePath(parent, QFileDialog::AcceptSave, QStringLiteral("in"),
                       QStringLiteral("untitled"));
}

QString AskOpenFilePath(QWidget* parent) {
    return AskFilePath(parent, QFileDialog::AcceptOpen, QStringLiteral("out"), QStringLiteral(" "));
}
