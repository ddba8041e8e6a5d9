#pragma once

#include <QDialog>

#include "model/Snap.h"

class QPushButton;
class QRadioButton;
class QShowEvent;

// Lets the user pick a view's snap mode. The caller sets m_snapMode before
// showing the dialog and copies it back after OK.
class CSnapControlDialog : public QDialog {
    Q_OBJECT

  public:
    explicit CSnapControlDialog(QWidget* parent = nullptr);

    // The member follows the last click on a button at once.
    void OnSnapAll();
    void OnSnapOff();
    void OnSnapGrid();
    void OnSnapElement();

    // Gives m_snapMode back the value it was shown with.
    void reject() override;

    int m_snapMode = SNAP_ALL;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void OnInitDialog();

    QPushButton* m_okButton;
    QRadioButton* m_snapAll;
    QRadioButton* m_snapOff;
    QRadioButton* m_snapGrid;
    QRadioButton* m_snapElement;
    int m_shownMode = SNAP_ALL;
};
