#include "ui/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// The questions Qt asks inside its file dialog ("NAME already exists. Do you
// want to replace it?") quote the chosen name, and a name is never markup:
// while the dialog is open, its message boxes show their text as typed.
class CPlainQuestions : public QObject {
  public:
    explicit CPlainQuestions(const QFileDialog& dialog) : m_dialog(dialog) {
        qApp->installEventFilter(this);
    }
    ~CPlainQuestions() override { qApp->removeEventFilter(this); }
    CPlainQuestions(const CPlainQuestions&) = delete;
    CPlainQuestions& operator=(const CPlainQuestions&) = delete;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish) {
            auto* box = qobject_cast<QMessageBox*>(watched);
            if (box && box->parent() == &m_dialog) box->setTextFormat(Qt::PlainText);
        }
        return false;
    }

  private:
    const QFileDialog& m_dialog;
};

QString AskFilePath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& defaultSuffix,
                    const QString& initialName) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(initialName);
    const CPlainQuestions plain(dialog);
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

QString AskSavePath(QWidget* parent, const QString& defaultSuffix, const QString& initialName) {
    return AskFilePath(parent, QFileDialog::AcceptSave, defaultSuffix, initialName);
}
