#include "editor/SourcePropertiesDialog.h"

#include <QLineEdit>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"

namespace {

constexpr int IDC_PHASE = 1007;
constexpr int IDC_MAGNITUDE = 1008;

}  // namespace

CSourcePropertiesDialog::CSourcePropertiesDialog(float magnitude, float phase, QWidget* parent)
    : CDialog(parent), m_magnitude(magnitude), m_phase(phase) {
    CDialogTemplate layout(this, QStringLiteral("Source Properties"), 186, 95);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(28, 66, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(109, 66, 50, 14));
    m_magnitudeEdit = layout.AddEdit(IDC_MAGNITUDE, QRect(28, 38, 51, 13));
    m_phaseEdit = layout.AddEdit(IDC_PHASE, QRect(109, 38, 51, 13));
    layout.AddLabel(QStringLiteral("Phase"), QRect(109, 25, 52, 10), Qt::AlignHCenter);
    layout.AddLabel(QStringLiteral("Magnitude"), QRect(28, 25, 52, 10), Qt::AlignHCenter);
}

void CSourcePropertiesDialog::OnInitDialog() {
    m_magnitudeEdit->setText(FormatDialogNumber(m_magnitude));
    m_phaseEdit->setText(FormatDialogNumber(m_phase));
}

void CSourcePropertiesDialog::accept() {
    // Read into copies: a refused entry must leave the members as given, so
    // that a later Cancel still returns the caller's values.
    float magnitude = m_magnitude;
    float phase = m_phase;
    CDataExchange dx(this);
    dx.Number(m_magnitudeEdit, magnitude);
    dx.Number(m_phaseEdit, phase);
    dx.NumberRange(m_phaseEdit, phase, -180, 180);
    if (!dx.Ok()) return;

    m_magnitude = magnitude;
    m_phase = phase;
    QDialog::accept();
}
