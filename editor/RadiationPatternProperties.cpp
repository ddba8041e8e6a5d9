#include "editor/RadiationPatternProperties.h"

#include <QLineEdit>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"

namespace {

constexpr int IDC_MODE = 1011;
constexpr int IDC_NTHETA = 1012;
constexpr int IDC_OUTPUT_FORMAT = 1013;
constexpr int IDC_NORMALIZATION = 1014;
constexpr int IDC_NPHI = 1015;
constexpr int IDC_GAIN = 1016;
constexpr int IDC_AVERAGING = 1017;
constexpr int IDC_THETA_START = 1018;
constexpr int IDC_PHI_START = 1019;
constexpr int IDC_THETA_STEP = 1020;
constexpr int IDC_PHI_STEP = 1021;

}  // namespace

CRadiationPatternProperties::CRadiationPatternProperties(int mode, int nTheta, int nPhi,
                                                         int outputFormat, int normalization,
                                                         int gain, int averaging, float thetaStart,
                                                         float phiStart, float thetaStep,
                                                         float phiStep, QWidget* parent)
    : CDialog(parent) {
    m_settings.m_mode = mode;
    m_settings.m_nTheta = nTheta;
    m_settings.m_nPhi = nPhi;
    m_settings.m_outputFormat = outputFormat;
    m_settings.m_normalization = normalization;
    m_settings.m_gain = gain;
    m_settings.m_averaging = averaging;
    m_settings.m_thetaStart = thetaStart;
    m_settings.m_phiStart = phiStart;
    m_settings.m_thetaStep = thetaStep;
    m_settings.m_phiStep = phiStep;

    CDialogTemplate layout(this, QStringLiteral("Far Field Pattern Properties"), 302, 193);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(197, 143, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(197, 162, 50, 14));
    const struct {
        int id;
        int x, y;
    } edits[] = {
        {IDC_MODE, 19, 33},          {IDC_NTHETA, 107, 33},        {IDC_NPHI, 197, 33},
        {IDC_OUTPUT_FORMAT, 19, 73}, {IDC_NORMALIZATION, 107, 73}, {IDC_GAIN, 197, 73},
        {IDC_AVERAGING, 19, 116},    {IDC_THETA_START, 107, 116},  {IDC_PHI_START, 197, 116},
        {IDC_THETA_STEP, 19, 158},   {IDC_PHI_STEP, 107, 158},
    };
    for (const auto& edit : edits) layout.AddEdit(edit.id, QRect(edit.x, edit.y, 46, 18));
    layout.AddLabel(QStringLiteral("Mode"), QRect(19, 16, 48, 13));
    layout.AddLabel(QStringLiteral("Number of Theta Steps"), QRect(107, 15, 45, 17));
    layout.AddLabel(QStringLiteral("Number of Phi Steps"), QRect(197, 15, 45, 17));
    const struct {
        const char* text;
        int x, y;
    } labels[] = {
        {"Output Format", 19, 56},
        {"Normalization", 107, 56},
        {"Gain", 197, 56},
        {"Averaging", 19, 95},
        {"Initial Theta Value", 107, 95},
        {"Initial Phi Value", 197, 94},
        {"Theta Increment", 19, 135},
        {"Phi Increment", 107, 135},
    };
    for (const auto& label : labels) {
        layout.AddLabel(QString::fromLatin1(label.text), QRect(label.x, label.y, 42, 17));
    }
}

QLineEdit* CRadiationPatternProperties::Edit(int id) const {
    return findChild<QLineEdit*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void CRadiationPatternProperties::OnInitDialog() {
    const PatternSettings& s = m_settings;
    Edit(IDC_AVERAGING)->setText(FormatDialogInteger(s.m_averaging));
    Edit(IDC_GAIN)->setText(FormatDialogInteger(s.m_gain));
    Edit(IDC_MODE)->setText(FormatDialogInteger(s.m_mode));
    Edit(IDC_NORMALIZATION)->setText(FormatDialogInteger(s.m_normalization));
    Edit(IDC_OUTPUT_FORMAT)->setText(FormatDialogInteger(s.m_outputFormat));
    Edit(IDC_NPHI)->setText(FormatDialogInteger(s.m_nPhi));
    Edit(IDC_PHI_START)->setText(FormatDialogNumber(s.m_phiStart));
    Edit(IDC_PHI_STEP)->setText(FormatDialogNumber(s.m_phiStep));
    Edit(IDC_NTHETA)->setText(FormatDialogInteger(s.m_nTheta));
    Edit(IDC_THETA_START)->setText(FormatDialogNumber(s.m_thetaStart));
    Edit(IDC_THETA_STEP)->setText(FormatDialogNumber(s.m_thetaStep));
}

void CRadiationPatternProperties::accept() {
    // Read into a copy, so that a refused entry leaves the values as given.
    PatternSettings s = m_settings;
    CDataExchange dx(this);
    // The bounds are those the RP card allows for each digit.
    dx.Integer(Edit(IDC_AVERAGING), s.m_averaging);
    dx.IntegerRange(Edit(IDC_AVERAGING), s.m_averaging, 0, 2);
    dx.Integer(Edit(IDC_GAIN), s.m_gain);
    dx.IntegerRange(Edit(IDC_GAIN), s.m_gain, 0, 1);
    dx.Integer(Edit(IDC_MODE), s.m_mode);
    dx.IntegerRange(Edit(IDC_MODE), s.m_mode, 0, 6);
    dx.Integer(Edit(IDC_NORMALIZATION), s.m_normalization);
    dx.IntegerRange(Edit(IDC_NORMALIZATION), s.m_normalization, 0, 5);
    dx.Integer(Edit(IDC_OUTPUT_FORMAT), s.m_outputFormat);
    dx.IntegerRange(Edit(IDC_OUTPUT_FORMAT), s.m_outputFormat, 0, 1);
    dx.Integer(Edit(IDC_NPHI), s.m_nPhi);
    dx.Number(Edit(IDC_PHI_START), s.m_phiStart);
    dx.Number(Edit(IDC_PHI_STEP), s.m_phiStep);
    dx.Integer(Edit(IDC_NTHETA), s.m_nTheta);
    dx.Number(Edit(IDC_THETA_START), s.m_thetaStart);
    dx.Number(Edit(IDC_THETA_STEP), s.m_thetaStep);
    if (!dx.Ok()) return;
    m_settings = s;
    QDialog::accept();
}
