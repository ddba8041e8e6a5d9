#include "solver/SolverWindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

namespace fs = std::filesystem;

namespace {

// A name as the user reads it; bytes that are no UTF-8 show as replacement
// characters, so the text cannot always be turned back into the name.
QString ToQString(const fs::path& path) { return QString::fromStdString(path.string()); }

// The file a field names: the one offered, with the file system's own bytes,
// while the field still shows it; otherwise the name typed.
fs::path FieldPath(const QString& text, const fs::path& offered) {
    if (!offered.empty() && text == ToQString(offered).trimmed()) return offered;
    return fs::path(text.toStdString());
}

}  // namespace

CSolverWindow::CSolverWindow(const fs::path& folder, QWidget* parent)
    : QWidget(parent), m_folder(folder) {
    setWindowTitle("NEC2d");

    m_offeredDeck = NewestDeckIn(folder).filename();
    m_deckEdit = new QLineEdit(ToQString(m_offeredDeck));
    m_listingEdit = new QLineEdit;
    m_browseDeck = new QPushButton(tr("Browse..."));
    m_browseListing = new QPushButton(tr("Browse..."));
    m_runButton = new QPushButton(tr("Run"));
    m_runButton->setDefault(true);
    m_busy = new QProgressBar;
    m_busy->setRange(0, 0);  // no known end: the bar just keeps moving
    m_busy->setTextVisible(false);
    m_busy->hide();
    m_cancelButton = new QPushButton(tr("Cancel"));
    m_cancelButton->hide();
    m_outcome = new QLabel;
    // The outcome quotes names and deck fields: never let Qt read them as markup.
    m_outcome->setTextFormat(Qt::PlainText);
    m_outcome->setWordWrap(true);
    m_outcome->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Deck:")), 0, 0);
    layout->addWidget(m_deckEdit, 0, 1);
    layout->addWidget(m_browseDeck, 0, 2);
    layout->addWidget(new QLabel(tr("Listing:")), 1, 0);
    layout->addWidget(m_listingEdit, 1, 1);
    layout->addWidget(m_browseListing, 1, 2);
    layout->addWidget(m_busy, 2, 0, 1, 2);
    layout->addWidget(m_runButton, 2, 2);
    layout->addWidget(m_cancelButton, 2, 2);
    layout->addWidget(m_outcome, 3, 0, 1, 3);
    layout->setColumnMinimumWidth(1, 320);

    connect(m_deckEdit, &QLineEdit::textChanged, this, &CSolverWindow::OnDeckEdited);
    connect(m_listingEdit, &QLineEdit::textEdited, this, [this] { m_listingChosen = true; });
    connect(m_browseDeck, &QPushButton::clicked, this, &CSolverWindow::OnBrowseDeck);
    connect(m_browseListing, &QPushButton::clicked, this, &CSolverWindow::OnBrowseListing);
    connect(m_runButton, &QPushButton::clicked, this, &CSolverWindow::OnRun);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        if (m_cancel) m_cancel->Cancel();
    });
    // Run is the default: Enter in either field runs, as it would in a dialog.
    connect(m_deckEdit, &QLineEdit::returnPressed, this, &CSolverWindow::OnRun);
    connect(m_listingEdit, &QLineEdit::returnPressed, this, &CSolverWindow::OnRun);
    OnDeckEdited(m_deckEdit->text());
}

CSolverWindow::~CSolverWindow() { StopRun(); }

void CSolverWindow::OnDeckEdited(const QString& text) {
    if (m_listingChosen) return;
    const QString deck = text.trimmed();
    m_offeredListing =
        deck.isEmpty() ? fs::path() : DefaultListingFor(FieldPath(deck, m_offeredDeck));
    m_listingEdit->setText(ToQString(m_offeredListing));
}

void CSolverWindow::OnBrowseDeck() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, tr("Deck"), ToQString(m_folder), tr("NEC2 decks (*.in *.nec);;All files (*)"));
    if (!chosen.isEmpty()) m_deckEdit->setText(chosen);
}

void CSolverWindow::OnBrowseListing() {
    const QString start =
        m_listingEdit->text().isEmpty() ? ToQString(m_folder) : m_listingEdit->text();
    const QString chosen = QFileDialog::getSaveFileName(this, tr("Listing"), start,
                                                        tr("Listings (*.out);;All files (*)"));
    if (chosen.isEmpty()) return;
    m_listingChosen = true;
    m_listingEdit->setText(chosen);
}

void CSolverWindow::OnRun() {
    if (m_thread) return;
    const QString deck = m_deckEdit->text().trimmed();
    const QString listing = m_listingEdit->text().trimmed();
    if (deck.isEmpty() || listing.isEmpty()) {
        ShowOutcome(
            false, deck.isEmpty() ? tr("Name the deck to run.") : tr("Name the listing to write."));
        return;
    }
    // Names are taken relative to the folder the window was opened in.
    SolverRequest request;
    request.deck = m_folder / FieldPath(deck, m_offeredDeck);
    request.listing = m_folder / FieldPath(listing, m_offeredListing);

    m_cancel = std::make_shared<CCancelToken>();
    m_result = std::make_shared<SolverOutcome>();
    auto cancel = m_cancel;
    auto result = m_result;
    // Told on the run's threads; shown on the window's, while it lives.
    request.onEachFrequency = [this](long solved, long total) {
        QMetaObject::invokeMethod(
            this, [this, solved, total] { OnFrequenciesSolved(solved, total); },
            Qt::QueuedConnection);
    };
    m_thread =
        QThread::create([request, cancel, result] { *result = RunSolver(request, cancel.get()); });
    connect(m_thread, &QThread::finished, this, &CSolverWindow::OnThreadFinished);

    for (QWidget* widget :
         {static_cast<QWidget*>(m_deckEdit), static_cast<QWidget*>(m_listingEdit),
          static_cast<QWidget*>(m_browseDeck), static_cast<QWidget*>(m_browseListing),
          static_cast<QWidget*>(m_runButton)})
        widget->setEnabled(false);
    m_outcome->setStyleSheet(QString());
    m_outcome->setText(tr("Running nec2c on %1 ...").arg(deck));
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->show();
    m_runButton->hide();
    m_cancelButton->show();
    m_thread->start();
}

void CSolverWindow::OnThreadFinished() {
    if (!m_thread) return;
    m_thread->deleteLater();
    m_thread = nullptr;
    m_busy->hide();
    m_cancelButton->hide();
    m_runButton->show();
    for (QWidget* widget :
         {static_cast<QWidget*>(m_deckEdit), static_cast<QWidget*>(m_listingEdit),
          static_cast<QWidget*>(m_browseDeck), static_cast<QWidget*>(m_browseListing),
          static_cast<QWidget*>(m_runButton)})
        widget->setEnabled(true);
    if (!m_result->ok && m_cancel->IsCancelled())
        ShowOutcome(false, tr("Cancelled"));
    else
        ShowOutcome(m_result->ok, QString::fromStdString(m_result->message));
    emit RunFinished(m_result->ok);
}

void CSolverWindow::OnFrequenciesSolved(long solved, long total) {
    // A count that comes after its run ended has nothing to show.
    if (!m_thread || total <= 0) return;
    m_busy->setRange(0, static_cast<int>(total));
    m_busy->setValue(static_cast<int>(solved));
    m_busy->setFormat(tr("%v of %m frequencies solved"));
    m_busy->setTextVisible(true);
}

void CSolverWindow::ShowOutcome(bool ok, const QString& text) {
    m_outcome->setStyleSheet(ok ? QString() : QStringLiteral("color: #b00000;"));
    m_outcome->setText(text);
}

void CSolverWindow::StopRun() {
    if (!m_thread) return;
    disconnect(m_thread, nullptr, this, nullptr);
    m_cancel->Cancel();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void CSolverWindow::closeEvent(QCloseEvent* event) {
    // Closing during a run stops nec2c; the unfinished listing is dropped.
    StopRun();
    event->accept();
}
