#include "tests/support/ModalCatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace {

constexpr int kPollMs = 5;
constexpr int kTimeoutTicks = 5000 / kPollMs;

}  // namespace

CModalCatcher::CModalCatcher() {
    connect(&m_timer, &QTimer::timeout, this, &CModalCatcher::Poll);
    m_timer.start(kPollMs);
}

void CModalCatcher::OnDialog(std::function<void(QWidget*)> handler) {
    m_handlers.push_back(std::move(handler));
}

void CModalCatcher::AnswerNextMessageBox(QMessageBox::StandardButton button) {
    m_boxAnswers.push_back(button);
}

void CModalCatcher::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;

    if (modal == m_current) {
        if (++m_currentTicks > kTimeoutTicks) {
            m_unexpected << QStringLiteral("timed out: ") + modal->windowTitle();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
        return;
    }
    const bool seen = m_seen.contains(QPointer<QWidget>(modal));
    m_current = modal;
    m_currentTicks = 0;
    if (seen) return;
    m_seen << QPointer<QWidget>(modal);

    // Act from a fresh event so that a dialog's nested loop can run this
    // poll again for a message box it opens.
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        m_messages << box->text();
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
        if (!m_boxAnswers.empty()) {
            answer = m_boxAnswers.front();
            m_boxAnswers.pop_front();
        } else {
            answer = box->button(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Yes;
        }
        QTimer::singleShot(0, box, [box, answer] {
            if (QAbstractButton* button = box->button(answer)) {
                button->click();
            } else {
                box->reject();
            }
        });
        return;
    }
    if (m_handlers.empty()) {
        m_unexpected << modal->windowTitle();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
        }
        return;
    }
    auto handler = std::move(m_handlers.front());
    m_handlers.pop_front();
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, modal, [handler = std::move(handler), target] {
        if (target) handler(target);
    });
}
