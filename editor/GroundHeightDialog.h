#pragma once

#include <QString>

#include "model/GroundSettings.h"
#include "ui/Dialog.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

// The "Ground and Height" dialog: what lies under a design, the plane it is
// drawn in and the height of its origin. The caller sets m_ground before
// showing it and reads it back after OK; Cancel leaves it as it was.
class CGroundHeightDialog : public CDialog {
    Q_OBJECT

  public:
    explicit CGroundHeightDialog(QWidget* parent = nullptr);

    void accept() override;

    GroundSettings m_ground;

  protected:
    void OnInitDialog() override;

  private:
    // The soil list and constants serve real ground only; the constants can
    // be typed for a custom soil, and show a preset's otherwise.
    void EnableSoil();
    void OnSoilChosen(int soil);

    QButtonGroup* m_kinds;
    QButtonGroup* m_planes;
    QComboBox* m_soil;
    QLineEdit* m_permittivityEdit;
    QLineEdit* m_conductivityEdit;
    QLineEdit* m_heightEdit;
};

// The status bar's words for a design's ground and plane: "Free space,
// horizontal", "Average ground, upright, 10 m".
QString GroundPaneText(const GroundSettings& ground);
