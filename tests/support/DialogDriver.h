#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <deque>
#include <functional>
#include <ostream>

// Drives modal windows as a user would, finding controls by their control ids.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline QPushButton* Button(QWidget& dialog, const char* id) {
    return dialog.findChild<QPushButton*>(id);
}

// Replaces a field's text by typing, keys and all.
inline void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Types "id:text|id:text" into a dialog's fields, picks item "id:index" of a
// list, or clicks the button an id names; returns the last field typed into.
inline QLineEdit* Type(QWidget& dialog, const QString& entries) {
    QLineEdit* field = nullptr;
    for (const QString& entry : entries.split('|', Qt::SkipEmptyParts)) {
        const QString id = entry.section(':', 0, 0);
        if (auto* button = dialog.findChild<QAbstractButton*>(id)) button->click();
        if (auto* list = dialog.findChild<QComboBox*>(id)) {  // picked by index
            list->setCurrentIndex(entry.section(':', 1).toInt());
            emit list->activated(list->currentIndex());
        }
        if (auto* edit = dialog.findChild<QLineEdit*>(id))
            Retype(field = edit, entry.section(':', 1));
    }
    return field;
}

// A label's text as the user reads it: markup, where Qt takes the text for
// it, shows as what it formats, not as typed.
inline QString VisibleText(const QString& text, Qt::TextFormat format) {
    const bool markup =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    return markup ? QTextDocumentFragment::fromHtml(text).toPlainText() : text;
}

// Answers each modal window a test sets off: message boxes are noted as shown
// and get the button queued for them, else OK, Yes or Escape's; dialogs go to
// the handlers queued, else are rejected and noted.
class CModalCatcher : public QObject {
  public:
    CModalCatcher() {
        connect(&m_timer, &QTimer::timeout, this, &CModalCatcher::Poll);
        m_timer.start(5);
    }
    void OnDialog(std::function<void(QWidget*)> handler) {
        m_handlers.push_back(std::move(handler));
    }
    // The next message box that has a button reading `text` gets that button.
    void OnMessage(const QString& text) { m_buttons.push_back(text); }
    const QStringList& Messages() const { return m_messages; }
    // The icon of each message box, in the same order.
    const QList<QMessageBox::Icon>& Icons() const { return m_icons; }
    const QStringList& Unexpected() const { return m_unexpected; }
    int PendingHandlers() const { return static_cast<int>(m_handlers.size()); }

  private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || m_seen.contains(modal)) return;
        m_seen << modal;
        std::function<void(QWidget*)> act = [](QWidget* window) {
            if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
        };
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_messages << VisibleText(box->text(), box->textFormat());
            m_icons << box->icon();
            QPointer<QAbstractButton> chosen;
            for (QAbstractButton* button : box->buttons())
                if (!m_buttons.empty() && button->text() == m_buttons.front()) chosen = button;
            if (chosen) m_buttons.pop_front();
            act = [chosen](QWidget* widget) {
                auto* box = static_cast<QMessageBox*>(widget);
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                if (ok == nullptr) ok = box->button(QMessageBox::Yes);
                (chosen ? chosen.data() : ok ? ok : box->escapeButton())->click();
            };
        } else if (m_handlers.empty()) {
            m_unexpected << modal->windowTitle();
        } else {
            act = std::move(m_handlers.front());
            m_handlers.pop_front();
        }
        // From a fresh event, so that a nested loop can poll for a message box.
        QTimer::singleShot(0, modal, [act, target = QPointer<QWidget>(modal)] {
            if (target) act(target);
        });
    }

    QTimer m_timer;
    std::deque<std::function<void(QWidget*)>> m_handlers;
    std::deque<QString> m_buttons;
    QList<QPointer<QWidget>> m_seen;
    QStringList m_messages;
    QList<QMessageBox::Icon> m_icons;
    QStringList m_unexpected;
};

// Answers the next dialog: `entries` typed, then `button`; what it showed (field
// texts, checked buttons) goes to `shown`.
inline void Answer(CModalCatcher& catcher, const QString& entries = {}, const char* button = "IDOK",
                   QStringList* shown = nullptr) {
    catcher.OnDialog([=](QWidget* dialog) {
        QStringList texts;
        for (QWidget* child : dialog->findChildren<QWidget*>()) {
            if (auto* field = qobject_cast<QLineEdit*>(child)) texts << field->text();
            auto* radio = qobject_cast<QRadioButton*>(child);
            if (radio && radio->isChecked()) texts << radio->objectName();
        }
        if (shown) *shown = texts;
        Type(*dialog, entries);
        Button(*dialog, button)->click();
    });
}

// Runs `open`, which pops up a menu, and answers the menu with the item
// `choose`, or Escape; returns the items shown as "text data", "-" for a
// separator.
inline QStringList AnswerPopup(const std::function<void()>& open, const QString& choose = {}) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        for (QAction* item : menu->actions()) {
            const QString text = item->text() + " " + item->data().toString();
            shown << (item->isSeparator() ? "-" : text.trimmed());
            if (item->text() == choose) menu->setActiveAction(item);
        }
        QTest::keyClick(menu, choose.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
    });
    open();
    QApplication::processEvents();
    return shown;
}
