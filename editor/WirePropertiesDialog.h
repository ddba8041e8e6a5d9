#pragma once

#include "ui/Dialog.h"

class QLineEdit;

// Asks for a wire's length, radius, segment count and angle, both for a new
// wire and for one that is double-clicked. It only collects and checks the
// numbers; the caller reads the members after OK and applies them.
class CWirePropertiesDialog : public CDialog {
    Q_OBJECT

  public:
    CWirePropertiesDialog(float length, float radius, float segments, float angle,
                          QWidget* parent = nullptr);

    // Reads the fields in data-exchange order. On the first bad one the
    // dialog says so, focuses that field and stays open; the members change
    // only when every field passes.
    void accept() override;

    float m_length;
    float m_radius;
    float m_segments;
    float m_angle;  // degrees, 0 to 360

  protected:
    void OnInitDialog() override;

  private:
    QLineEdit* m_lengthEdit;
    QLineEdit* m_segmentsEdit;
    QLineEdit* m_radiusEdit;
    QLineEdit* m_angleEdit;
};
