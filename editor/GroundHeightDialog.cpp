#include "editor/GroundHeightDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"

namespace {

constexpr int IDC_FREE_SPACE = 1030;
constexpr int IDC_PERFECT_GROUND = 1031;
constexpr int IDC_REAL_GROUND = 1032;
constexpr int IDC_SOIL = 1033;
constexpr int IDC_PERMITTIVITY = 1034;
constexpr int IDC_CONDUCTIVITY = 1035;
constexpr int IDC_PLANE_HORIZONTAL = 1036;
constexpr int IDC_PLANE_UPRIGHT = 1037;
constexpr int IDC_ORIGIN_HEIGHT = 1038;

QStringList SoilNames() {
    QStringList names;
    for (const Soil& soil : kSoilPresets)
        names << QString::fromUtf8(soil.name.data(), static_cast<qsizetype>(soil.name.size()));
    names << QStringLiteral("Custom");
    return names;
}

// A soil constant read on OK: a number, and one above 0, or the field keeps
// the focus with a message saying so.
bool ReadConstant(QWidget* dialog, QLineEdit* field, const QString& what, double& value) {
    float number = 0;
    CDataExchange dx(dialog);
    dx.Number(field, number);
    if (!dx.Ok()) return false;
    if (!(number > 0.0f)) {
        ShowQuadrellMessage(dialog, what + QStringLiteral(" must be a number greater than 0."));
        field->setFocus();
        field->selectAll();
        return false;
    }
    value = number;
    return true;
}

}  // namespace

CGroundHeightDialog::CGroundHeightDialog(QWidget* parent) : CDialog(parent) {
    CDialogTemplate layout(this, QStringLiteral("Ground and Height"), 236, 180);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(178, 8, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(178, 26, 50, 14));
    m_kinds = new QButtonGroup(this);
    const auto kind = [&](int id, const QString& text, int top, GroundKind value) {
        m_kinds->addButton(layout.AddRadio(id, text, QRect(10, top, 100, 10)),
                           static_cast<int>(value));
    };
    kind(IDC_FREE_SPACE, QStringLiteral("Free space"), 10, GroundKind::FREE_SPACE);
    kind(IDC_PERFECT_GROUND, QStringLiteral("Perfect ground"), 24, GroundKind::PERFECT);
    kind(IDC_REAL_GROUND, QStringLiteral("Real ground"), 38, GroundKind::REAL);
    layout.AddLabel(QStringLiteral("Soil"), QRect(22, 52, 80, 8), Qt::AlignLeft);
    m_soil = layout.AddComboBox(IDC_SOIL, SoilNames(), QRect(22, 62, 100, 14));
    layout.AddLabel(QStringLiteral("Relative permittivity"), QRect(22, 82, 90, 8), Qt::AlignLeft);
    layout.AddLabel(QStringLiteral("Conductivity (S/m)"), QRect(118, 82, 90, 8), Qt::AlignLeft);
    m_permittivityEdit = layout.AddEdit(IDC_PERMITTIVITY, QRect(22, 92, 60, 14));
    m_conductivityEdit = layout.AddEdit(IDC_CONDUCTIVITY, QRect(118, 92, 60, 14));
    m_planes = new QButtonGroup(this);
    const auto plane = [&](int id, const QString& text, int top, DrawingPlane value) {
        m_planes->addButton(layout.AddRadio(id, text, QRect(10, top, 160, 10)),
                            static_cast<int>(value));
    };
    plane(IDC_PLANE_HORIZONTAL, QStringLiteral("Drawing plane: horizontal (X-Y)"), 114,
          DrawingPlane::HORIZONTAL);
    plane(IDC_PLANE_UPRIGHT, QStringLiteral("Drawing plane: upright (X-Z)"), 128,
          DrawingPlane::UPRIGHT);
    layout.AddLabel(QStringLiteral("Height of the drawing's origin (m)"), QRect(10, 146, 160, 8),
                    Qt::AlignLeft);
    m_heightEdit = layout.AddEdit(IDC_ORIGIN_HEIGHT, QRect(10, 156, 60, 14));

    connect(m_kinds, &QButtonGroup::idClicked, this, [this] { EnableSoil(); });
    connect(m_soil, &QComboBox::activated, this, &CGroundHeightDialog::OnSoilChosen);
}

void CGroundHeightDialog::OnInitDialog() {
    m_kinds->button(static_cast<int>(m_ground.kind))->setChecked(true);
    m_planes->button(static_cast<int>(m_ground.plane))->setChecked(true);
    // An index that names no preset stands for a custom soil.
    const bool preset = m_ground.soil >= 0 && m_ground.soil < kCustomSoil;
    m_soil->setCurrentIndex(preset ? m_ground.soil : kCustomSoil);
    m_permittivityEdit->setText(FormatDialogNumber(m_ground.permittivity));
    m_conductivityEdit->setText(FormatDialogNumber(m_ground.conductivity));
    m_heightEdit->setText(FormatDialogNumber(m_ground.originHeight));
    EnableSoil();
}

void CGroundHeightDialog::OnSoilChosen(int soil) {
    if (soil < kCustomSoil) {
        const Soil& preset = kSoilPresets[static_cast<std::size_t>(soil)];
        m_permittivityEdit->setText(FormatDialogNumber(preset.permittivity));
        m_conductivityEdit->setText(FormatDialogNumber(preset.conductivity));
    }
    EnableSoil();
}

void CGroundHeightDialog::EnableSoil() {
    const bool real = m_kinds->checkedId() == static_cast<int>(GroundKind::REAL);
    const bool custom = real && m_soil->currentIndex() == kCustomSoil;
    m_soil->setEnabled(real);
    m_permittivityEdit->setEnabled(custom);
    m_conductivityEdit->setEnabled(custom);
}

void CGroundHeightDialog::accept() {
    // Read into a copy: a refused entry leaves m_ground as given.
    GroundSettings ground = m_ground;
    ground.kind = static_cast<GroundKind>(m_kinds->checkedId());
    ground.plane = static_cast<DrawingPlane>(m_planes->checkedId());
    ground.soil = m_soil->currentIndex();
    if (ground.soil < kCustomSoil) {
        const Soil& preset = kSoilPresets[static_cast<std::size_t>(ground.soil)];
        ground.permittivity = preset.permittivity;
        ground.conductivity = preset.conductivity;
    } else if (ground.kind == GroundKind::REAL) {
        // Custom constants count only where they are written: over real ground.
        if (!ReadConstant(this, m_permittivityEdit, QStringLiteral("The relative permittivity"),
                          ground.permittivity) ||
            !ReadConstant(this, m_conductivityEdit, QStringLiteral("The conductivity"),
                          ground.conductivity))
            return;
    }
    float height = 0;
    CDataExchange dx(this);
    dx.Number(m_heightEdit, height);
    if (!dx.Ok()) return;
    ground.originHeight = height;
    m_ground = ground;
    QDialog::accept();
}

QString GroundPaneText(const GroundSettings& ground) {
    static const char* const kSoilWords[] = {"Very poor ground", "Poor ground", "Average ground",
                                             "Very good ground", "Fresh water", "Sea water",
                                             "Custom ground"};
    static_assert(std::size(kSoilWords) == kSoilPresets.size() + 1);
    QString text;
    if (ground.kind == GroundKind::FREE_SPACE) {
        text = QStringLiteral("Free space");
    } else if (ground.kind == GroundKind::PERFECT) {
        text = QStringLiteral("Perfect ground");
    } else {
        const int soil = ground.soil >= 0 && ground.soil < kCustomSoil ? ground.soil : kCustomSoil;
        text = QString::fromLatin1(kSoilWords[soil]);
    }
    text += ground.plane == DrawingPlane::UPRIGHT ? QStringLiteral(", upright")
                                                  : QStringLiteral(", horizontal");
    if (ground.originHeight != 0.0)
        text +=
            QStringLiteral(", ") + FormatDialogNumber(ground.originHeight) + QStringLiteral(" m");
    return text;
}
