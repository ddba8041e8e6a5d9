#include "editor/FrequencyProperties.h"

#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"

namespace {

constexpr int IDC_NSTEPS = 1009;
constexpr int IDC_FREQUENCY = 1010;
constexpr int IDC_INCREMENT = 1011;
constexpr int IDC_WAVELENGTH = 1012;

// Reads the sweep from the fields into `settings` in data-exchange order,
// stopping at the first bad field. The wavelength field is display only: it
// is never read, so an empty one (a frequency of 0) cannot block OK.
bool ReadSweep(QWidget* dialog, QLineEdit* steps, QLineEdit* increment, QLineEdit* frequency,
               FrequencySettings& settings) {
    CDataExchange dx(dialog);
    dx.Integer(steps, settings.m_nSteps);
    dx.Number(increment, settings.m_increment);
    dx.Number(frequency, settings.m_frequency);
    return dx.Ok();
}

}  // namespace

CFrequencyProperties::CFrequencyProperties(int nSteps, float frequency, float increment,
                                           QWidget* parent)
    : CDialog(parent) {
    m_settings.m_nSteps = nSteps;
    m_settings.m_frequency = frequency;
    m_settings.m_increment = increment;
    m_settings.m_wavelength = WavelengthOf(frequency);

    CDialogTemplate layout(this, QStringLiteral("Frequency Properties"), 246, 125);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(97, 83, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(180, 83, 50, 14));
    m_frequencyEdit = layout.AddEdit(IDC_FREQUENCY, QRect(14, 50, 50, 14));
    m_stepsEdit = layout.AddEdit(IDC_NSTEPS, QRect(97, 50, 50, 14));
    m_incrementEdit = layout.AddEdit(IDC_INCREMENT, QRect(180, 50, 50, 14));
    layout.AddLabel(QStringLiteral("Initial Frequency in MHz"), QRect(14, 14, 50, 25));
    layout.AddLabel(QStringLiteral("Number of Steps (0 means single Frequency)"),
                    QRect(93, 14, 59, 28));
    layout.AddLabel(QStringLiteral("Increment per Step (MHz)"), QRect(179, 14, 50, 25));
    m_wavelengthEdit = layout.AddEdit(IDC_WAVELENGTH, QRect(14, 83, 50, 14));
    m_wavelengthEdit->setReadOnly(true);
    m_wavelengthEdit->setEnabled(false);
    layout.AddLabel(QStringLiteral("Wavelength in Meters"), QRect(14, 70, 70, 8), Qt::AlignLeft);
    QPushButton* calculate = layout.AddButton(QStringLiteral("1018"), QStringLiteral("Calculate"),
                                              QRect(14, 101, 40, 15));

    connect(calculate, &QPushButton::clicked, this, &CFrequencyProperties::OnCalculate);
}

void CFrequencyProperties::OnInitDialog() { ShowValues(); }

void CFrequencyProperties::ShowValues() {
    m_stepsEdit->setText(FormatDialogInteger(m_settings.m_nSteps));
    m_incrementEdit->setText(FormatDialogNumber(m_settings.m_increment));
    // 300 / 0 has no wavelength to show.
    m_wavelengthEdit->setText(std::isfinite(m_settings.m_wavelength)
                                  ? FormatDialogNumber(m_settings.m_wavelength)
                                  : QString());
    m_frequencyEdit->setText(FormatDialogNumber(m_settings.m_frequency));
}

void CFrequencyProperties::OnCalculate() {
    // Fields read before a bad one keep their new values; the bad one and
    // those after it show their stored values again.
    ReadSweep(this, m_stepsEdit, m_incrementEdit, m_frequencyEdit, m_settings);
    m_settings.m_wavelength = WavelengthOf(m_settings.m_frequency);
    ShowValues();
}

void CFrequencyProperties::accept() {
    // Read into a copy, so that a refused entry leaves the values as given.
    FrequencySettings read = m_settings;
    if (!ReadSweep(this, m_stepsEdit, m_incrementEdit, m_frequencyEdit, read)) return;
    m_settings = read;
    QDialog::accept();
}
