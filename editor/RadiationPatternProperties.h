#pragma once

#include "nec/RunSettings.h"
#include "ui/Dialog.h"

class QLineEdit;

// "Far Field Pattern Properties": the far-field request of one deck.
class CRadiationPatternProperties : public CDialog {
    Q_OBJECT

  public:
    // The arguments come in the order of the RP card.
    CRadiationPatternProperties(int mode, int nTheta, int nPhi, int outputFormat, int normalization,
                                int gain, int averaging, float thetaStart, float phiStart,
                                float thetaStep, float phiStep, QWidget* parent = nullptr);

    // After OK, the values read from the fields.
    const PatternSettings& Settings() const { return m_settings; }

    // Reads the fields in data-exchange order, each bounded digit checked
    // right after it is read; on the first bad one the dialog says so,
    // focuses that field and stays open.
    void accept() override;

  protected:
    void OnInitDialog() override;

  private:
    QLineEdit* Edit(int id) const;

    PatternSettings m_settings;
};
