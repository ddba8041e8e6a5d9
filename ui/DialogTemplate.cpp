#include "ui/DialogTemplate.h"

#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

CDialogTemplate::CDialogTemplate(QDialog* dialog, const QString& title, int widthDlu, int heightDlu)
    : m_dialog(dialog) {
    // The templates were laid out for a narrow 8-point sans serif; a font
    // with Arial's metrics keeps their labels whole where a wide one like
    // DejaVu Sans would cut them.
    QFont font = dialog->font();
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")});
    font.setStyleHint(QFont::SansSerif);
    dialog->setFont(font);
    const QFontMetricsF metrics(dialog->font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_unitX = metrics.horizontalAdvance(alphabet) / alphabet.size() / 4.0;
    m_unitY = metrics.height() / 8.0;
    dialog->setWindowTitle(title);
    dialog->setFixedSize(ToPixels(QRect(0, 0, widthDlu, heightDlu)).size());
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

namespace {

// The rectangle `label` needs for its text, grown from where it stands: to
// the right, or to both sides when the text is centred, and downwards.
QRect NeededRect(const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QMargins margins = label.contentsMargins();
    int width = label.width();
    for (const QString& word : label.text().split(QLatin1Char(' '))) {
        width = std::max(width, metrics.horizontalAdvance(word) + margins.left() + margins.right());
    }
    const int inner = width - margins.left() - margins.right();
    const int textHeight = label.wordWrap() ? label.heightForWidth(inner) : metrics.height();
    const int height = std::max(label.height(), textHeight + margins.top() + margins.bottom());
    QRect needed = label.geometry();
    const int extra = width - needed.width();
    if (label.alignment() & Qt::AlignHCenter) needed.moveLeft(needed.left() - extra / 2);
    needed.setSize(QSize(width, height));
    return needed;
}

void FitLabels(QDialog& dialog) {
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        auto* label = qobject_cast<QLabel*>(control);
        if (label == nullptr || label->text().isEmpty()) continue;
        const QRect needed = NeededRect(*label);
        if (needed == label->geometry() || !dialog.rect().contains(needed)) continue;
        const bool free = std::none_of(controls.begin(), controls.end(), [&](QWidget* other) {
            return other != label && other->geometry().intersects(needed);
        });
        if (free) label->setGeometry(needed);
    }
}

}  // namespace

CDialogTemplate::~CDialogTemplate() { FitLabels(*m_dialog); }

QRect CDialogTemplate::ToPixels(QRect dlu) const {
    const int left = static_cast<int>(std::lround(dlu.x() * m_unitX));
    const int top = static_cast<int>(std::lround(dlu.y() * m_unitY));
    const int right = static_cast<int>(std::lround((dlu.x() + dlu.width()) * m_unitX));
    const int bottom = static_cast<int>(std::lround((dlu.y() + dlu.height()) * m_unitY));
    return QRect(left, top, right - left, bottom - top);
}

void CDialogTemplate::Place(QWidget* widget, QRect dlu) const {
    widget->setGeometry(ToPixels(dlu));
}

QPushButton* CDialogTemplate::AddButton(const QString& id, const QString& text, QRect dlu,
                                        bool isDefault) {
    auto* button = new QPushButton(text, m_dialog);
    button->setObjectName(id);
    // Enter presses the focused button; with the focus in a field, the
    // default one.
    button->setDefault(isDefault);
    button->setAutoDefault(true);
    Place(button, dlu);
    // accept() is virtual: a dialog that checks its fields overrides it.
    if (id == QLatin1String("IDOK")) {
        QObject::connect(button, &QPushButton::clicked, m_dialog, &QDialog::accept);
    } else if (id == QLatin1String("IDCANCEL")) {
        QObject::connect(button, &QPushButton::clicked, m_dialog, &QDialog::reject);
    }
    return button;
}

QLineEdit* CDialogTemplate::AddEdit(int id, QRect dlu, Qt::Alignment alignment) {
    auto* edit = new QLineEdit(m_dialog);
    edit->setObjectName(QString::number(id));
    edit->setAlignment(alignment | Qt::AlignVCenter);
    Place(edit, dlu);
    return edit;
}

QLabel* CDialogTemplate::AddLabel(const QString& text, QRect dlu, Qt::Alignment alignment) {
    auto* label = new QLabel(text, m_dialog);
    label->setWordWrap(true);
    label->setAlignment(alignment | Qt::AlignTop);
    Place(label, dlu);
    return label;
}

QRadioButton* CDialogTemplate::AddRadio(int id, const QString& text, QRect dlu) {
    auto* radio = new QRadioButton(text, m_dialog);
    radio->setObjectName(QString::number(id));
    Place(radio, dlu);
    return radio;
}

QComboBox* CDialogTemplate::AddComboBox(int id, const QStringList& items, QRect dlu) {
    auto* combo = new QComboBox(m_dialog);
    combo->setObjectName(QString::number(id));
    combo->addItems(items);
    Place(combo, dlu);
    return combo;
}
