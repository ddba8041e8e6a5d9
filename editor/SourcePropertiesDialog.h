#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QShowEvent;

// Asks for a source's voltage magnitude and phase, both for a new source and
// for one that is double-clicked. The caller reads the members after OK.
class CSourcePropertiesDialog : public QDialog {
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
    void showEvent(QShowEvent* event) override;

  private:
    void OnInitDialog();

    QPushButton* m_okButton;
    QLineEdit* m_magnitudeEdit;
    QLineEdit* m_phaseEdit;
};
