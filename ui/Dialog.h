#pragma once

#include <QDialog>

class QShowEvent;

// A modal dialog of Quadrell. Every time it is shown, OnInitDialog fills
// its controls from its members and the focus goes to OK, so that Enter
// accepts the values shown. A window coming back from being minimised is no
// new showing.
class CDialog : public QDialog {
  public:
    using QDialog::QDialog;

  protected:
    virtual void OnInitDialog() = 0;
    void showEvent(QShowEvent* event) override;
};
