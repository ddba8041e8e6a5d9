#include "editor/WirePropertiesDialog.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/DataExchange.h"
#include "ui/DialogTemplate.h"

namespace {

constexpr int IDC_LENGTH = 1003;
constexpr int IDC_RADIUS = 1004;
constexpr int IDC_SEGMENTS = 1005;
constexpr int IDC_ANGLE = 1006;

bool HasNonDigit(const QString& text) {
    for (const QChar c : text) {
        if (c.isPrint() && (c < QLatin1Char('0') || c > QLatin1Char('9'))) return true;
    }
    return false;
}

// Lets only digits be typed into a field. Text put there otherwise (a value
// shown from a deck such as "7.9", or pasted) is left alone and checked on OK
// like any other number. Control keys and shortcuts pass.
class CDigitsOnlyFilter : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
            if (!shortcut && HasNonDigit(key->text())) return true;
        } else if (event->type() == QEvent::InputMethod) {
            if (HasNonDigit(static_cast<QInputMethodEvent*>(event)->commitString())) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

CWirePropertiesDialog::CWirePropertiesDialog(float length, float radius, float segments,
                                             float angle, QWidget* parent)
    : CDialog(parent), m_length(length), m_radius(radius), m_segments(segments), m_angle(angle) {
    CDialogTemplate layout(this, QStringLiteral("Properties of Wire"), 200, 87);
    layout.AddButton(QStringLiteral("IDOK"), QStringLiteral("OK"), QRect(35, 55, 50, 14), true);
    layout.AddButton(QStringLiteral("IDCANCEL"), QStringLiteral("Cancel"), QRect(103, 55, 50, 14));
    m_lengthEdit = layout.AddEdit(IDC_LENGTH, QRect(13, 32, 30, 17), Qt::AlignHCenter);
    m_segmentsEdit = layout.AddEdit(IDC_SEGMENTS, QRect(56, 32, 30, 17), Qt::AlignHCenter);
    m_radiusEdit = layout.AddEdit(IDC_RADIUS, QRect(101, 32, 30, 17), Qt::AlignHCenter);
    m_angleEdit = layout.AddEdit(IDC_ANGLE, QRect(145, 32, 30, 17), Qt::AlignHCenter);
    layout.AddLabel(QStringLiteral("Length"), QRect(13, 22, 23, 8), Qt::AlignLeft);
    layout.AddLabel(QStringLiteral("Segments"), QRect(56, 22, 32, 8), Qt::AlignLeft);
    layout.AddLabel(QStringLiteral("Radius"), QRect(101, 23, 23, 8), Qt::AlignLeft);
    layout.AddLabel(QStringLiteral("Angle"), QRect(145, 23, 19, 8), Qt::AlignLeft);

    m_segmentsEdit->installEventFilter(new CDigitsOnlyFilter(m_segmentsEdit));
}

void CWirePropertiesDialog::OnInitDialog() {
    m_lengthEdit->setText(FormatDialogNumber(m_length));
    m_segmentsEdit->setText(FormatDialogNumber(m_segments));
    m_radiusEdit->setText(FormatDialogNumber(m_radius));
    m_angleEdit->setText(FormatDialogNumber(m_angle));
}

void CWirePropertiesDialog::accept() {
    // Read into copies: a refused entry must leave the members as given, so
    // that a later Cancel still returns the caller's values.
    float length = m_length;
    float radius = m_radius;
    float segments = m_segments;
    float angle = m_angle;
    CDataExchange dx(this);
    dx.Number(m_lengthEdit, length);
    dx.Number(m_radiusEdit, radius);
    dx.Number(m_segmentsEdit, segments);
    dx.Number(m_angleEdit, angle);
    dx.NumberRange(m_angleEdit, angle, 0, 360);
    if (!dx.Ok()) return;

    m_length = length;
    m_radius = radius;
    m_segments = segments;
    m_angle = angle;
    QDialog::accept();
}
