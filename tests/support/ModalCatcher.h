#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

// Answers the modal windows a test sets off. Message boxes are recorded and
// answered with the button queued by AnswerNextMessageBox, else OK, else Yes; any other modal
// dialog is handed to the next handler queued with OnDialog, once per dialog. A dialog nobody
// expected is rejected and noted, and a modal window still open after a few seconds is rejected, so
// a test never hangs.
//
//     CModalCatcher catcher;
//     catcher.OnDialog([](QWidget* dialog) { ...type, click OK... });
//     view.OnGenerateInputFile();
//     EXPECT_EQ(catcher.Messages(), QStringList{"NEC File Created"});
class CModalCatcher : public QObject {
  public:
    CModalCatcher();

    void OnDialog(std::function<void(QWidget*)> handler);
    // The button the next message box is answered with (No, Cancel, ...).
    void AnswerNextMessageBox(QMessageBox::StandardButton button);

    // Texts of the message boxes seen, in order.
    const QStringList& Messages() const { return m_messages; }
    // Titles of dialogs that came without a queued handler, or timed out.
    const QStringList& Unexpected() const { return m_unexpected; }
    int PendingHandlers() const { return static_cast<int>(m_handlers.size()); }

  private:
    void Poll();

    QTimer m_timer;
    std::deque<std::function<void(QWidget*)>> m_handlers;
    std::deque<QMessageBox::StandardButton> m_boxAnswers;
    QList<QPointer<QWidget>> m_seen;
    QPointer<QWidget> m_current;
    int m_currentTicks = 0;
    QStringList m_messages;
    QStringList m_unexpected;
};
