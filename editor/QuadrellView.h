#pragma once

#include <QCursor>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "model/DocumentObserver.h"
#include "model/Element.h"
#include "model/GroundSettings.h"
#include "model/Point.h"
#include "model/Snap.h"
#include "model/ViewScale.h"
#include "nec/RunSettings.h"
#include "ui/CmdTarget.h"

class CAntennaPlot;
class CWireTable;
class CDrawingSurface;
class CElement;
class CPlotDlg;
class CResultsWindow;
class CPrinterSettings;
class CQuadrellDoc;
class QMouseEvent;
class QPainter;
class QPrinter;
class QUndoStack;
class QWheelEvent;

// The editor view: one window on a design. It paints the axes, the grid marks
// and every element around the centre of its client area, and holds all the
// editing state of that window. Several views of one design each keep their
// own state.
class CQuadrellView : public QWidget, public CDocumentObserver, public CCmdTarget {
    Q_OBJECT

  public:
    // `printer`: the application's printer settings, which the print commands
    // use; `history`: the undo stack of the design, shared by all its views.
    CQuadrellView(CQuadrellDoc& document, QUndoStack& history, CPrinterSettings& printer,
                  QWidget* parent = nullptr);
    // A view alone on its design keeps the design's undo stack itself.
    CQuadrellView(CQuadrellDoc& document, CPrinterSettings& printer, QWidget* parent = nullptr);
    ~CQuadrellView() override;

    CQuadrellDoc* GetDocument() const { return m_document; }
    QUndoStack& GetHistory() const { return *m_history; }

    // Loads the cursors and enters select mode; called once before the view
    // is first shown.
    void OnInitialUpdate();
    // The device point that view pixels are counted from: the centre of the
    // client area.
    CPoint OnPrepareDC() const;
    // Paints axes, grid marks and elements on a surface whose origin is set.
    void OnDraw(CDrawingSurface& surface);
    void ResetToArrowCursor();
    // The readout of the status bar, with the digits this view's scale needs.
    QString FormatElementCoordinates(const CElement& element) const;

    // A mouse point in client pixels as a view pixel, counted from the centre.
    CPoint ClientToLogical(QPoint client) const;

    // Scale and pan: at actual size with no pan a pixel is a metre.
    const CViewScale& GetScale() const { return m_scale; }
    void SetScale(const CViewScale& scale);
    // One step up or down the 1-2-5 ladder, about a view pixel.
    void ZoomAbout(int steps, CPoint pixel);

    // One printed page: the drawing with its origin at the device point equal
    // to the current client-area centre, one logical unit per device unit.
    void PrintPage(QPainter& painter);

    bool OnCmdMsg(int id, bool execute) override;

    void OnElementRemoved(const CElement* element) override;
    void OnDocumentUpdated() override;

    CElement* GetSelected() const { return m_pSelected; }
    CPoint GetOrigin() const { return m_origin; }
    float GetLastFrequency() const { return m_lastSweep.m_frequency; }
    int GetSnapMode() const { return m_snapMode; }
    bool IsInSelectMode() const { return m_hCurrentCursor == &m_hArrowCursor; }
    bool IsPlacingWire() const { return m_hCurrentCursor == &m_hWireCursor; }
    bool IsPlacingSource() const { return m_hCurrentCursor == &m_hSourceCursor; }

    // The result windows this view made last, while they are open; the view
    // destroys them when it goes.
    CPlotDlg* GetPlotDlg() const;
    CAntennaPlot* GetAntennaPlot() const;

    // Mouse handling, on view pixels; `leftDown` is the left button's state
    // during the event.
    void OnLButtonDown(CPoint point);
    void OnMouseMove(CPoint point, bool leftDown);
    void OnLButtonUp(CPoint point);
    void OnLButtonDblClk(CPoint point);
    // Selects the element under `point`, even right after a context menu,
    // and shows the context menu for it, or for empty space, at
    // `screenPoint`; the command chosen then runs on this view. In a
    // placement mode it only returns to select mode.
    void OnRButtonDown(CPoint point, QPoint screenPoint);

    // Commands.
    void OnPlaceWire();
    void OnPlaceSource();
    void OnSnapControls();
    void OnGenerateInputFile();
    // Generate Input File; true when the deck was written, which leaves the
    // design clean.
    bool GenerateDeck();
    void OnLaunchNec2d();
    void OnProcessOutputData();
    // File Open: asks for a deck and imports it into this view's design.
    void OnImportDeck();
    // Imports the deck at `path` into the design, all or nothing, telling
    // the user what failed or was skipped.
    bool ImportDeck(const QString& path);
    void OnZoomIn();
    void OnZoomOut();
    // Shows every element, with a margin, at the largest scale that holds them.
    void OnZoomToFit();
    // Back to the start: 1 pixel = 1 metre, the origin at the centre.
    void OnActualSize();
    // Asks for the design's ground, drawing plane and origin height.
    void OnGroundAndHeight();
    // Opens this view's "Wires" window, or brings it to the front.
    void OnWireTable();
    CWireTable* GetWireTable() const;
    // Selects `element` as a press on it would, if it is in the design.
    void SelectElement(CElement* element);
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Element commands: each does nothing when its condition does not hold
    // (no selection, a source for Rotate and Flip, an empty copy buffer).
    void OnRotate();
    void OnFlip();
    void OnDeleteElement();
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();

    int GetGrabbedEnd() const { return m_grabbedEnd; }
    bool IsDragging() const { return m_bDragging; }

  signals:
    // A deck was imported into the design, so it belongs in the recent files.
    void deckImported(const QString& path);
    // A pane of the status bar (STATUS_PANE_...) shows new text: the main
    // window shows it at once, so with several views a pane shows what the
    // view used last wrote.
    void statusPaneText(int pane, const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void SetCurrentCursor(const QCursor* cursor);
    // Puts the design's ground and plane in their status-bar pane.
    void ShowGround();
    void Print(QPrinter& printer);
    // The first element in list order whose body holds `point`, unless a
    // context menu was shown since the last left press.
    CElement* ElementAt(CPoint point) const;
    // The first element in list order whose body holds `point`.
    CElement* FirstElementHit(CPoint point) const;
    void PlaceWire(CPointF point);
    void PlaceSource(CPointF point);
    // Moves the drawing by `dx`, `dy` pixels.
    void PanBy(int dx, int dy);
    void EditSelectedProperties();
    void TurnSelectedWire(float step, const char* stepText);
    // Delete and Cut: the selected element leaves the design as one step.
    void RemoveSelected(const char* verb);
    // Shows popup "Element" or "No Element" of the context menu; the command
    // chosen, or 0.
    int TrackPopupMenu(bool overElement, QPoint screenPoint);

    CQuadrellDoc* m_document;
    std::unique_ptr<QUndoStack> m_ownHistory;
    QUndoStack* m_history;
    CPrinterSettings& m_printer;

    QCursor m_hArrowCursor;
    QCursor m_hWireCursor;
    QCursor m_hSourceCursor;
    // Which of the three cursors is current is also the edit mode.
    const QCursor* m_hCurrentCursor = &m_hArrowCursor;
    CElement* m_pSelected = nullptr;
    bool m_bMenuShown = false;
    bool m_bDragging = false;
    bool m_bClipboardFull = false;
    int m_tagCounter = 0;
    int m_snapMode = SNAP_ALL;
    int m_grabbedEnd = 0;
    CPointF m_grabOffset;
    // The dragged element as it was when the drag began.
    CElement::State m_dragStart{};
    // Closing a result window destroys it, which empties its pointer here.
    QPointer<CPlotDlg> m_pPlotDlg;
    QPointer<CAntennaPlot> m_pAntennaPlot;
    QPointer<CResultsWindow> m_pResults;
    QPointer<CWireTable> m_wireTable;
    float m_clipLength = 0;
    float m_clipRadius = 0;
    float m_clipSegments = 0;
    float m_clipAngle = 0;
    float m_clipMagnitude = 0;
    float m_clipPhase = 0;
    int m_clipType = 0;
    CPointF m_lastPress;
    // The last confirmed frequency sweep, offered again by the next deck.
    FrequencySettings m_lastSweep;
    GridPoints m_gridPoints{};
    CPoint m_origin;
    CViewScale m_scale;
    // What the ground pane last showed for this view.
    GroundSettings m_shownGround;
    // The middle button drags the drawing; where it was last.
    bool m_bPanning = false;
    CPoint m_panFrom;
};
