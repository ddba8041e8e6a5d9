#pragma once

#include "model/Snap.h"
#include "ui/Dialog.h"

class QRadioButton;

// Lets the user pick a view's snap mode. The caller sets m_snapMode before
// showing the dialog and copies it back after OK.
class CSnapControlDialog : public CDialog {
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
    void OnInitDialog() override;

  private:
    QRadioButton* m_snapAll;
    QRadioButton* m_snapOff;
    QRadioButton* m_snapGrid;
    QRadioButton* m_snapElement;
    int m_shownMode = SNAP_ALL;
};
