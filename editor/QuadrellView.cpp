#include "editor/QuadrellView.h"

#include <QMdiArea>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "editor/GenerateInputFile.h"
#include "editor/ImportDeck.h"
#include "editor/PrinterSettings.h"
#include "editor/ProcessOutputData.h"
#include "editor/SnapControlDialog.h"
#include "model/ElementReadout.h"
#include "model/QuadrellDoc.h"
#include "nec/SolverLaunch.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "ui/CommandIds.h"
#include "ui/Cursors.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/PainterSurface.h"

namespace {

constexpr PenColor kAxisColor{0, 100, 255};

void DrawAxes(CDrawingSurface& surface) {
    CScopedPen pen(surface, Pen::Solid(kAxisColor));
    // Up the screen (deck +Y) ...
    surface.MoveTo(0, 0);
    surface.LineTo(0, -60);
    surface.LineTo(-5, -52);
    surface.MoveTo(0, -60);
    surface.LineTo(5, -52);
    // ... and to the right (deck +X).
    surface.MoveTo(0, 0);
    surface.LineTo(60, 0);
    surface.LineTo(52, -5);
    surface.MoveTo(60, 0);
    surface.LineTo(52, 5);
}

}  // namespace

CQuadrellView::CQuadrellView(CQuadrellDoc& document, CPrinterSettings& printer, QWidget* parent)
    : QWidget(parent), m_document(&document), m_printer(printer) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(100, 80);
    m_gridPoints = MakeGridPoints();
    m_document->AddObserver(this);
}

CQuadrellView::~CQuadrellView() {
    m_document->RemoveObserver(this);
    // The newest result windows belong to the view; older ones live on.
    if (m_pPlotDlg) m_pPlotDlg->DestroyWindow();
    if (m_pAntennaPlot) m_pAntennaPlot->DestroyWindow();
}

void CQuadrellView::OnInitialUpdate() {
    m_hArrowCursor = QCursor(Qt::ArrowCursor);
    m_hWireCursor = MakeWireCursor();
    m_hSourceCursor = MakeSourceCursor();
    SetCurrentCursor(&m_hArrowCursor);
    update();
}

void CQuadrellView::SetCurrentCursor(const QCursor* cursor) {
    m_hCurrentCursor = cursor;
    setCursor(*cursor);
}

void CQuadrellView::ResetToArrowCursor() { SetCurrentCursor(&m_hArrowCursor); }

CPoint CQuadrellView::OnPrepareDC() const {
    const QRect client = rect();
    return CPoint{(client.left() + client.right() + 1) / 2,
                  (client.top() + client.bottom() + 1) / 2};
}

CPoint CQuadrellView::ClientToLogical(QPoint client) const {
    const CPoint centre = OnPrepareDC();
    return CPoint{client.x() - centre.x, client.y() - centre.y};
}

void CQuadrellView::OnDraw(CDrawingSurface& surface) {
    DrawAxes(surface);
    {
        CScopedPen pen(surface, Pen::Solid(kAxisColor));
        for (const CPoint& grid : m_gridPoints) {
            surface.MoveTo(grid.x, grid.y - 1);
            surface.LineTo(grid.x, grid.y + 1);
            surface.MoveTo(grid.x - 1, grid.y);
            surface.LineTo(grid.x + 1, grid.y);
        }
    }
    for (ElementPosition pos = m_document->GetFirstElementPosition(); pos;) {
        const CElement* element = m_document->GetNextElement(pos);
        element->Draw(surface, element == m_pSelected, DRAW_NORMAL);
    }
}

void CQuadrellView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const CPoint centre = OnPrepareDC();
    painter.translate(centre.x, centre.y);
    CPainterSurface surface(painter);
    OnDraw(surface);
}

QString CQuadrellView::FormatElementCoordinates(const CElement& element) {
    return QString::fromStdString(::FormatElementCoordinates(element));
}

void CQuadrellView::PrintPage(QPainter& painter) {
    const CPoint centre = OnPrepareDC();
    painter.save();
    painter.translate(centre.x, centre.y);
    CPainterSurface surface(painter);
    OnDraw(surface);
    painter.restore();
}

void CQuadrellView::Print(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    PrintPage(painter);
}

void CQuadrellView::OnFilePrint() {
    QPrinter& printer = m_printer.Printer();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    Print(printer);
}

void CQuadrellView::OnFilePrintDirect() { Print(m_printer.Printer()); }

void CQuadrellView::OnFilePrintPreview() {
    QPrinter& printer = m_printer.Printer();
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { Print(*target); });
    preview.exec();
}

void CQuadrellView::OnSnapControls() {
    CSnapControlDialog dialog(this);
    dialog.m_snapMode = m_snapMode;
    if (dialog.exec() == QDialog::Accepted) m_snapMode = dialog.m_snapMode;
    emit statusPaneText(STATUS_PANE_SNAP, QString::fromLatin1(SnapModeText(m_snapMode)));
}

void CQuadrellView::OnGenerateInputFile() {
    GenerateInputFile(this, *m_document, m_origin, m_lastFrequency, m_tagCounter);
}

// Starts the solver and returns at once; which deck it reads and where it
// writes its listing is settled in the solver's own window.
void CQuadrellView::OnLaunchNec2d() {
    const LaunchOutcome outcome = LaunchNec2d();
    if (!outcome.started) ShowQuadrellMessage(this, QString::fromStdString(outcome.message));
}

void CQuadrellView::OnImportDeck() {
    const QString path = AskOpenFilePath(this);
    if (!path.isEmpty()) ImportDeck(path);
}

bool CQuadrellView::ImportDeck(const QString& path) {
    if (!ImportDeckFile(this, *m_document, m_origin, path)) return false;
    emit deckImported(path);
    return true;
}

CPlotDlg* CQuadrellView::GetPlotDlg() const { return m_pPlotDlg; }

CAntennaPlot* CQuadrellView::GetAntennaPlot() const { return m_pAntennaPlot; }

// The result windows open in the area that holds the design windows, the
// window two levels above the view.
void CQuadrellView::OnProcessOutputData() {
    QMdiArea* area = nullptr;
    for (QWidget* above = parentWidget(); above != nullptr && area == nullptr;
         above = above->parentWidget()) {
        area = qobject_cast<QMdiArea*>(above);
    }
    ProcessOutputData(this, area, m_pPlotDlg, m_pAntennaPlot);
}

bool CQuadrellView::OnCmdMsg(int id, bool execute) {
    static constexpr CommandEntry<CQuadrellView> kCommands[] = {
        {ID_PLACE_WIRE, &CQuadrellView::OnPlaceWire},
        {ID_PLACE_SOURCE, &CQuadrellView::OnPlaceSource},
        {ID_SNAP_CONTROLS, &CQuadrellView::OnSnapControls},
        {ID_GENERATE_INPUT_FILE, &CQuadrellView::OnGenerateInputFile},
        {ID_LAUNCH_NEC2D, &CQuadrellView::OnLaunchNec2d},
        {ID_PROCESS_OUTPUT_DATA, &CQuadrellView::OnProcessOutputData},
        {ID_FILE_OPEN, &CQuadrellView::OnImportDeck},
        {ID_ROTATE, &CQuadrellView::OnRotate},
        {ID_FLIP, &CQuadrellView::OnFlip},
        {ID_DELETE_ELEMENT, &CQuadrellView::OnDeleteElement},
        {ID_EDIT_COPY, &CQuadrellView::OnEditCopy},
        {ID_EDIT_CUT, &CQuadrellView::OnEditCut},
        {ID_EDIT_PASTE, &CQuadrellView::OnEditPaste},
        {ID_FILE_PRINT, &CQuadrellView::OnFilePrint},
        {ID_FILE_PRINT_DIRECT, &CQuadrellView::OnFilePrintDirect},
        {ID_FILE_PRINT_PREVIEW, &CQuadrellView::OnFilePrintPreview},
    };
    return DispatchCommand(*this, kCommands, id, execute);
}

void CQuadrellView::OnElementRemoved(const CElement* element) {
    if (element != m_pSelected) return;
    m_pSelected = nullptr;
    // A drag of an element that has gone ends here; the release that
    // follows finds nothing to drop.
    m_bDragging = false;
}

void CQuadrellView::OnDocumentUpdated() { update(); }
