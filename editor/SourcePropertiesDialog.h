#pragma once

#include "ui/Dialog.h"

class QLineEdit;

// Asks for a source's voltage magnitude and phase, both for a new source and
// for one that is double-clicked. The caller reads the members after OK.
class CSourcePropertiesDialog : public CDialog {
    Q_OBJECT

  public:
    CSourcePropertiesDialog(float magnitude, float phase, QWidget* parent = nullptr);

    // Reads the fields in data-exchange order. On the first bad one the
    // dialog says so, focuses that field and stays open; the members change
    // only when every field passes.
    void accept() override;

    float m_magnitude;
    float m_phase;  // degrees, -180 to 180

  protected:
    void OnInitDialog() override;

  private:
    QLineEdit* m_magnitudeEdit;
    QLineEdit* m_phaseEdit;
};
