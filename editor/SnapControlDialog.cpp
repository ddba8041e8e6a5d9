#include "editor/SnapControlDialog.h"

#include <QRadioButton>

#include "ui/DialogTemplate.h"

namespace {

constexpr int IDC_SNAP_ALL = 1017;
constexpr int IDC_SNAP_OFF = 1018;
constexpr int IDC_SNAP_GRID = 1019;
constexpr int IDC_SNAP_ELEMENT = 1020;

}  // namespace

CSnapControlDialog::CSnapControlDialog(QWidget* parent) : CDialog(parent) {
    CDialogTemplate layout(this, QStringLiteral("Snap Control"), 135, 100);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(78, 34, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(78, 52, 50, 14));
    m_snapAll = layout.AddRadio(IDC_SNAP_ALL, QStringLiteral("Snap to All"), QRect(13, 13, 50, 10));
    m_snapOff = layout.AddRadio(IDC_SNAP_OFF, QStringLiteral("Snap Off"), QRect(13, 34, 44, 10));
    m_snapGrid =
        layout.AddRadio(IDC_SNAP_GRID, QStringLiteral("Snap to Grid"), QRect(13, 52, 55, 10));
    m_snapElement =
        layout.AddRadio(IDC_SNAP_ELEMENT, QStringLiteral("Snap to Element"), QRect(13, 73, 68, 10));

    // One group (radio buttons sharing a parent are exclusive), reached by
    // the mouse but not by Tab.
    for (QRadioButton* radio : {m_snapAll, m_snapOff, m_snapGrid, m_snapElement}) {
        radio->setFocusPolicy(Qt::ClickFocus);
    }
    connect(m_snapAll, &QRadioButton::clicked, this, &CSnapControlDialog::OnSnapAll);
    connect(m_snapOff, &QRadioButton::clicked, this, &CSnapControlDialog::OnSnapOff);
    connect(m_snapGrid, &QRadioButton::clicked, this, &CSnapControlDialog::OnSnapGrid);
    connect(m_snapElement, &QRadioButton::clicked, this, &CSnapControlDialog::OnSnapElement);
}

void CSnapControlDialog::OnInitDialog() {
    m_shownMode = m_snapMode;
    switch (m_snapMode) {
        case SNAP_ALL:
            m_snapAll->setChecked(true);
            break;
        case SNAP_GRID:
            m_snapGrid->setChecked(true);
            break;
        case SNAP_ELEMENT:
            m_snapElement->setChecked(true);
            break;
        default:
            m_snapOff->setChecked(true);
            break;
    }
}

void CSnapControlDialog::OnSnapAll() { m_snapMode = SNAP_ALL; }

void CSnapControlDialog::OnSnapOff() { m_snapMode = SNAP_OFF; }

void CSnapControlDialog::OnSnapGrid() { m_snapMode = SNAP_GRID; }

void CSnapControlDialog::OnSnapElement() { m_snapMode = SNAP_ELEMENT; }

void CSnapControlDialog::reject() {
    m_snapMode = m_shownMode;
    QDialog::reject();
}
