#include "editor/QuadrellView.h"

#include <QMdiArea>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "editor/GenerateInputFile.h"
#include "editor/ChangeGroundCommand.h"
#include "editor/GroundHeightDialog.h"
#include "editor/ImportDeck.h"
#include "editor/PrinterSettings.h"
#include "editor/ProcessOutputData.h"
#include "editor/SnapControlDialog.h"
#include "editor/WireTable.h"
#include "model/Element.h"
#include "model/ElementReadout.h"
#include "model/Geometry.h"
#include "model/QuadrellDoc.h"
#include "nec/SolverLaunch.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "plots/ResultsWindow.h"
#include "ui/CommandIds.h"
#include "ui/Cursors.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"
#include "ui/PainterSurface.h"

namespace {

constexpr PenColor kAxisColor{0, 100, 255};

// The margin that Zoom to Fit leaves around the design, in pixels.
constexpr int kFitMargin = 20;
// Pixels the drawing moves for one notch of the wheel.
constexpr int kWheelPanStep = 60;
constexpr int kWheelNotch = 120;

// The axes and the grid marks, around the origin's pixel (x, y); they keep
// their pixels at every scale.
void DrawAxesAndGrid(CDrawingSurface& surface, int x, int y, const GridPoints& grid) {
    CScopedPen pen(surface, Pen::Solid(kAxisColor));
    // Up the screen (deck +Y) ...
    surface.MoveTo(x, y);
    surface.LineTo(x, y - 60);
    surface.LineTo(x - 5, y - 52);
    surface.MoveTo(x, y - 60);
    surface.LineTo(x + 5, y - 52);
    // ... and to the right (deck +X).
    surface.MoveTo(x, y);
    surface.LineTo(x + 60, y);
    surface.LineTo(x + 52, y - 5);
    surface.MoveTo(x + 60, y);
    surface.LineTo(x + 52, y + 5);

    for (const CPoint& point : grid) {
        const int gx = x + point.x;
        const int gy = y + point.y;
        surface.MoveTo(gx, gy - 1);
        surface.LineTo(gx, gy + 1);
        surface.MoveTo(gx - 1, gy);
        surface.LineTo(gx + 1, gy);
    }
}

int ClampedSum(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

CQuadrellView::CQuadrellView(CQuadrellDoc& document, CPrinterSettings& printer, QWidget* parent)
    : CQuadrellView(document, *new QUndoStack, printer, parent) {
    m_ownHistory.reset(m_history);
}

CQuadrellView::CQuadrellView(CQuadrellDoc& document, QUndoStack& history, CPrinterSettings& printer,
                             QWidget* parent)
    : QWidget(parent), m_document(&document), m_history(&history), m_printer(printer) {
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
    if (m_pResults) m_pResults->DestroyWindow();
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
    DrawAxesAndGrid(surface, TruncateToInt(m_scale.PixelX(static_cast<float>(m_origin.x))),
                    TruncateToInt(m_scale.PixelY(static_cast<float>(m_origin.y))), m_gridPoints);
    for (ElementPosition pos = m_document->GetFirstElementPosition(); pos;) {
        const CElement* element = m_document->GetNextElement(pos);
        element->Draw(surface, element == m_pSelected, DRAW_NORMAL, m_scale);
    }
}

void CQuadrellView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const CPoint centre = OnPrepareDC();
    painter.translate(centre.x, centre.y);
    CPainterSurface surface(painter);
    OnDraw(surface);
}

QString CQuadrellView::FormatElementCoordinates(const CElement& element) const {
    return QString::fromStdString(::FormatElementCoordinates(element, m_scale.PixelDecimals()));
}

void CQuadrellView::SetScale(const CViewScale& scale) {
    m_scale = scale;
    update();
    emit statusPaneText(STATUS_PANE_SCALE, QString::fromLatin1(m_scale.Text()));
    // The readout shows the digits of the new scale.
    if (m_pSelected != nullptr) {
        emit statusPaneText(STATUS_PANE_COORDS, FormatElementCoordinates(*m_pSelected));
    }
}

void CQuadrellView::ZoomAbout(int steps, CPoint pixel) {
    SetScale(m_scale.ZoomedAbout(steps, pixel));
}

void CQuadrellView::OnZoomIn() { ZoomAbout(1, {}); }

void CQuadrellView::OnZoomOut() { ZoomAbout(-1, {}); }

void CQuadrellView::OnActualSize() { SetScale(CViewScale{}); }

void CQuadrellView::OnZoomToFit() {
    bool any = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    const auto take = [&](float x, float y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        if (!any) {
            left = right = x;
            top = bottom = y;
            any = true;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    };
    for (ElementPosition pos = m_document->GetFirstElementPosition(); pos;) {
        const CElement* element = m_document->GetNextElement(pos);
        take(element->GetStartX(), element->GetStartY());
        if (element->GetType() == ELEMENT_WIRE) take(element->GetEndX(), element->GetEndY());
    }
    if (!any) return OnActualSize();
    SetScale(FitScale(left, top, right, bottom, width(), height(), kFitMargin, m_scale));
}

void CQuadrellView::PanBy(int dx, int dy) {
    const CPoint pan = m_scale.Pan();
    m_scale = CViewScale(m_scale.Step(), {ClampedSum(pan.x, dx), ClampedSum(pan.y, dy)});
    update();
}

// Ctrl and the wheel zoom about the mouse; the wheel alone scrolls the
// drawing, sideways with Shift.
void CQuadrellView::wheelEvent(QWheelEvent* event) {
    QPoint delta = event->angleDelta();
    if (event->modifiers() & Qt::ControlModifier) {
        const int notches = delta.y() / kWheelNotch;
        if (notches != 0) ZoomAbout(notches, ClientToLogical(event->position().toPoint()));
    } else {
        if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0) delta = {delta.y(), 0};
        PanBy(delta.x() * kWheelPanStep / kWheelNotch, delta.y() * kWheelPanStep / kWheelNotch);
    }
    event->accept();
}

// The scale and ground panes show the view the user works in.
void CQuadrellView::focusInEvent(QFocusEvent* event) {
    emit statusPaneText(STATUS_PANE_SCALE, QString::fromLatin1(m_scale.Text()));
    ShowGround();
    QWidget::focusInEvent(event);
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

void CQuadrellView::OnGroundAndHeight() {
    CGroundHeightDialog dialog(this);
    dialog.m_ground = m_document->GetGround();
    if (dialog.exec() != QDialog::Accepted || dialog.m_ground == m_document->GetGround()) return;
    m_history->push(new CChangeGroundCommand(*m_document, m_document->GetGround(), dialog.m_ground));
}

void CQuadrellView::ShowGround() {
    m_shownGround = m_document->GetGround();
    emit statusPaneText(STATUS_PANE_GROUND, GroundPaneText(m_shownGround));
}

void CQuadrellView::OnGenerateInputFile() { GenerateDeck(); }

bool CQuadrellView::GenerateDeck() {
    if (!GenerateInputFile(this, *m_document, m_origin, m_lastSweep, m_tagCounter)) return false;
    m_history->setClean();
    return true;
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
    if (!ImportDeckFile(this, *m_document, *m_history, m_origin, path, m_lastSweep)) return false;
    emit deckImported(path);
    return true;
}

void CQuadrellView::OnWireTable() {
    if (!m_wireTable) {
        // A tool window of this view: it floats over the main window and goes
        // with the view.
        m_wireTable = new CWireTable(*m_document, *m_history, m_origin, this);
        connect(m_wireTable, &CWireTable::elementChosen, this, &CQuadrellView::SelectElement);
    }
    m_wireTable->show();
    m_wireTable->raise();
    m_wireTable->activateWindow();
}

CWireTable* CQuadrellView::GetWireTable() const { return m_wireTable; }

void CQuadrellView::SelectElement(CElement* element) {
    if (element == nullptr || !m_document->ContainsElement(element)) return;
    m_pSelected = element;
    update();
    emit statusPaneText(STATUS_PANE_COORDS, FormatElementCoordinates(*element));
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
    ProcessOutputData(this, area, m_pPlotDlg, m_pAntennaPlot, m_pResults);
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
        {ID_ZOOM_IN, &CQuadrellView::OnZoomIn},
        {ID_ZOOM_OUT, &CQuadrellView::OnZoomOut},
        {ID_ZOOM_TO_FIT, &CQuadrellView::OnZoomToFit},
        {ID_ACTUAL_SIZE, &CQuadrellView::OnActualSize},
        {ID_WIRE_TABLE, &CQuadrellView::OnWireTable},
        {ID_GROUND_AND_HEIGHT, &CQuadrellView::OnGroundAndHeight},
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

void CQuadrellView::OnDocumentUpdated() {
    update();
    // Only a change of the ground is news for its pane: other designs' views
    // must not take the pane over on every edit.
    if (!(m_document->GetGround() == m_shownGround)) ShowGround();
}
