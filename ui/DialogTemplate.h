#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Builds a dialog from a classic template: controls at fixed rectangles in
// dialog units, scaled by the dialog's font (a horizontal unit is a quarter of
// the average character width, a vertical unit an eighth of the font height),
// so the arrangement holds with any font and on HiDPI screens. Controls are
// made in template order, which is also their tab order. Each control's
// object name is its control id ("1010", "IDOK", "IDCANCEL"), for tests.
class CDialogTemplate {
  public:
    CDialogTemplate(QDialog* dialog, const QString& title, int widthDlu, int heightDlu);
    // A label that does not hold its text whole grows to it here, once every
    // control is placed, as far as it can without covering another control
    // or leaving the dialog.
    ~CDialogTemplate();
    CDialogTemplate(const CDialogTemplate&) = delete;
    CDialogTemplate& operator=(const CDialogTemplate&) = delete;

    // OK ("IDOK") is wired to accept, which a dialog overrides to check its
    // fields first, and Cancel ("IDCANCEL") to reject.
    QPushButton* AddButton(const QString& id, const QString& text, QRect dlu,
                           bool isDefault = false);
    QLineEdit* AddEdit(int id, QRect dlu, Qt::Alignment alignment = Qt::AlignLeft);
    QLabel* AddLabel(const QString& text, QRect dlu, Qt::Alignment alignment = Qt::AlignHCenter);
    QRadioButton* AddRadio(int id, const QString& text, QRect dlu);
    // A drop-down list to pick one of `items`.
    QComboBox* AddComboBox(int id, const QStringList& items, QRect dlu);

    QRect ToPixels(QRect dlu) const;

  private:
    void Place(QWidget* widget, QRect dlu) const;

    QDialog* m_dialog;
    double m_unitX;
    double m_unitY;
};
