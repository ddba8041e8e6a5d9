#pragma once

#include <QWidget>
#include <memory>

#include "solver/SolverRun.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

// NEC2d's own small window, shown when it is started with no terminal and no
// arguments (as Quadrell starts it): the deck, offered as the newest *.in of
// the current folder, the listing, Run, and while nec2c works on a thread of
// its own a bar that counts the frequencies solved (or just moves, for a deck
// that runs in one piece) and Cancel; then the outcome.
class CSolverWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CSolverWindow(const std::filesystem::path& folder, QWidget* parent = nullptr);
    ~CSolverWindow() override;

    // For tests and the curious: the widgets a user works with.
    QLineEdit* DeckEdit() const { return m_deckEdit; }
    QLineEdit* ListingEdit() const { return m_listingEdit; }
    QPushButton* RunButton() const { return m_runButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    QProgressBar* BusyIndicator() const { return m_busy; }
    QLabel* OutcomeLabel() const { return m_outcome; }
    bool IsRunning() const { return m_thread != nullptr; }

  signals:
    void RunFinished(bool ok);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void OnDeckEdited(const QString& text);
    void OnBrowseDeck();
    void OnBrowseListing();
    void OnRun();
    void OnThreadFinished();
    void OnFrequenciesSolved(long solved, long total);
    void ShowOutcome(bool ok, const QString& text);
    void StopRun();

    std::filesystem::path m_folder;
    // The names offered in the fields, as the file system spells them: a
    // name that is no UTF-8 cannot be rebuilt from the text shown.
    std::filesystem::path m_offeredDeck;
    std::filesystem::path m_offeredListing;
    QLineEdit* m_deckEdit = nullptr;
    QLineEdit* m_listingEdit = nullptr;
    QPushButton* m_runButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_browseDeck = nullptr;
    QPushButton* m_browseListing = nullptr;
    QProgressBar* m_busy = nullptr;
    QLabel* m_outcome = nullptr;
    // The listing follows the deck until the user types a listing name.
    bool m_listingChosen = false;

    QThread* m_thread = nullptr;
    std::shared_ptr<CCancelToken> m_cancel;
    std::shared_ptr<SolverOutcome> m_result;
};
