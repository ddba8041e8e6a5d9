#pragma once

#include "nec/RunSettings.h"
#include "ui/Dialog.h"

class QLineEdit;

// "Frequency Properties": the frequency sweep of one deck, with the
// wavelength of the initial frequency shown for information.
class CFrequencyProperties : public CDialog {
    Q_OBJECT

  public:
    CFrequencyProperties(int nSteps, float frequency, float increment, QWidget* parent = nullptr);

    // After OK, the values read from the fields.
    const FrequencySettings& Settings() const { return m_settings; }

    // Reads the fields in data-exchange order; on the first bad one the
    // dialog says so, focuses that field and stays open.
    void accept() override;
    // Reads the fields as far as they are good, works out the wavelength of
    // the frequency as it then stands and shows every value again.
    void OnCalculate();

  protected:
    void OnInitDialog() override;

  private:
    void ShowValues();

    FrequencySettings m_settings;
    QLineEdit* m_frequencyEdit;
    QLineEdit* m_stepsEdit;
    QLineEdit* m_incrementEdit;
    QLineEdit* m_wavelengthEdit;
};
