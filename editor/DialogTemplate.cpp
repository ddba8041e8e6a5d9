#include "editor/DialogTemplate.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

CDialogTemplate::CDialogTemplate(QDialog* dialog, const QString& title, int widthDlu, int heightDlu)
    : m_dialog(dialog) {
    const QFontMetricsF metrics(dialog->font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_unitX = metrics.horizontalAdvance(alphabet) / alphabet.size() / 4.0;
    m_unitY = metrics.height() / 8.0;
    dialog->setWindowTitle(title);
    dialog->setFixedSize(ToPixels(QRect(0, 0, widthDlu, heightDlu)).size());
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

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
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
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
