// The editor view: what it paints where, and editing with the mouse in a real
// design window of a real main window.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPainter>

#include "app/ChildFrm.h"
#include "editor/CommandIds.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/RecordingSurface.h"
#include "tests/support/ShellFixture.h"

namespace {

const QRgb kAxis = qRgb(0, 100, 255), kBlack = qRgb(0, 0, 0), kWhite = qRgb(255, 255, 255);

QImage Grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(QuadrellView, PaintsAxesGridMarksAndElementsAroundTheClientCentre) {
    CQuadrellDoc doc;
    CQuadrellView view(doc);
    view.resize(801, 601);
    view.OnInitialUpdate();
    doc.AddElementAtHead(std::make_unique<CWire>(0, 50, 0, 100, 0.005f, 5, 0));
    doc.AddElementAtTail(std::make_unique<CSource>(-200, 100, 0, 1, 0));
    EXPECT_EQ(view.OnPrepareDC(), (CPoint{400, 300}));
    EXPECT_EQ(view.ClientToLogical(QPoint(0, 0)), (CPoint{-400, -300}));
    const QImage image = Grab(&view);
    EXPECT_EQ(image.pixel(400, 300 - 30), kAxis);         // up arrow
    EXPECT_EQ(image.pixel(400 + 30, 300), kAxis);         // right arrow
    EXPECT_EQ(image.pixel(400 + 100, 300 + 100), kAxis);  // grid marks
    EXPECT_EQ(image.pixel(400 - 300, 300 - 200), kAxis);
    EXPECT_EQ(image.pixel(400 + 50, 300 + 60), view.palette().color(QPalette::Base).rgb());
    EXPECT_EQ(image.pixel(400 + 20, 300 + 50), kBlack);
    EXPECT_EQ(image.pixel(400 + 100, 300 + 50), view.palette().color(QPalette::Base).rgb());
    EXPECT_EQ(image.pixel(400 - 200, 300 + 100 - 3), qRgb(0, 255, 0));

    // A printed page has one device unit per logical unit, the origin where
    // the client centre is.
    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        view.PrintPage(painter);
    }
    EXPECT_EQ(page.pixel(400, 270), kAxis);
    EXPECT_EQ(page.pixel(400 + 20, 300 + 50), kBlack);
    EXPECT_EQ(page.pixel(400 + 500, 300 + 300), kAxis);
    EXPECT_EQ(page.pixel(400 + 150, 300 + 50), kWhite);

    view.resize(1001, 601);
    EXPECT_EQ(view.OnPrepareDC(), (CPoint{500, 300}));
    EXPECT_EQ(Grab(&view).pixel(500 + 20, 300 + 50), kBlack);
    EXPECT_NE(Grab(&view).pixel(400 + 20, 300 + 50), kBlack);

    CRecordingSurface surface;
    view.OnDraw(surface);
    // 6 axis strokes, 2 per grid mark, then 3 for the wire and 2 for the source.
    ASSERT_EQ(surface.Lines().size(), 6u + 2 * 77 + 3 + 2);
    EXPECT_EQ(surface.Lines()[0], (RecordedLine{{0, 0}, {0, -60}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[6], (RecordedLine{{-500, -301}, {-500, -299}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[7], (RecordedLine{{-501, -300}, {-499, -300}, {0, 100, 255}}));
    EXPECT_EQ(surface.Lines()[6 + 154].color, (PenColor{0, 0, 0}));
    EXPECT_EQ(surface.CurrentPen(), (Pen::Solid({1, 2, 3})));
}

// An element as "x1,y1 x2,y2" for a wire, "x,y magnitude@phase" for a source.
QString Where(const CElement* e) {
    const QString start = QString("%1,%2 ").arg(e->GetStartX()).arg(e->GetStartY());
    if (e->GetType() == ELEMENT_SOURCE) {
        return start + QString("%1@%2").arg(e->GetMagnitude()).arg(e->GetPhase());
    }
    return start + QString("%1,%2").arg(e->GetEndX()).arg(e->GetEndY());
}

class MouseEditingTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        m_view = m_frame->ActiveView();
        m_doc = m_view->GetDocument();
    }

    // A left-button event at a logical point.
    void Mouse(QEvent::Type type, CPoint p) {
        const CPoint centre = m_view->OnPrepareDC();
        const QPointF local(p.x + centre.x, p.y + centre.y);
        const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const auto buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, m_view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(m_view, &event);
    }
    void Click(CPoint p, bool twice = false) {
        Mouse(QEvent::MouseButtonPress, p);
        Mouse(QEvent::MouseButtonRelease, p);
        if (!twice) return;
        Mouse(QEvent::MouseButtonDblClick, p);
        Mouse(QEvent::MouseButtonRelease, p);
    }
    void Drag(CPoint from, CPoint to) {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to);
    }
    QStringList Design() const {
        QStringList elements;
        for (ElementPosition pos = m_doc->GetFirstElementPosition(); pos;) {
            elements << Where(m_doc->GetNextElement(pos));
        }
        return elements;
    }
    CElement* AddWire(float x, float y, float length, float angle = 0) {
        return m_doc->AddElementAtHead(std::make_unique<CWire>(x, y, 0, length, 0.005f, 5, angle));
    }
    void Command(int id, const QString& entries = {}, const char* button = "IDOK") {
        Answer(m_catcher, entries, button, &m_shown);
        m_frame->Action(id)->trigger();
    }
    CQuadrellView* NewWindow() {
        m_frame->Action(ID_WINDOW_NEW)->trigger();
        return m_frame->ActiveView();
    }
    QString Pane(int pane) const { return m_frame->StatusPaneText(pane); }

    CQuadrellView* m_view = nullptr;
    CQuadrellDoc* m_doc = nullptr;
    QStringList m_shown;
};

TEST_F(MouseEditingTest, PlacesWiresAtTheHeadAndSourcesAtTheTailWhereThePressIs) {
    Command(ID_PLACE_WIRE);
    EXPECT_TRUE(m_view->IsPlacingWire());
    const QImage wireCursor = m_view->cursor().pixmap().toImage();
    EXPECT_EQ(wireCursor.pixel(15, 15), qRgba(0, 0, 0, 255));
    EXPECT_EQ(wireCursor.pixel(8, 8), qRgba(255, 255, 255, 255));
    Click({103, -4});  // right next to a grid point: placing does not snap
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "0"}));
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    EXPECT_TRUE(m_view->IsInSelectMode());
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);
    Command(ID_PLACE_WIRE, "1003:50|1006:90");
    Click({-200, 100});
    Command(ID_PLACE_WIRE, {}, "IDCANCEL");
    Click({0, 0});
    EXPECT_TRUE(m_view->IsInSelectMode());

    Command(ID_PLACE_SOURCE, "1008:2|1007:-90");
    EXPECT_TRUE(m_view->IsPlacingSource());
    const QImage sourceCursor = m_view->cursor().pixmap().toImage();
    EXPECT_EQ(m_view->cursor().hotSpot(), QPoint(15, 16));
    EXPECT_EQ(sourceCursor.pixel(15, 16), qRgba(0, 0, 0, 255));
    EXPECT_EQ(sourceCursor.pixel(13, 16), qRgba(255, 255, 255, 255));
    EXPECT_EQ(sourceCursor.pixel(14, 14), qRgba(255, 255, 255, 255));
    Click({50, 60});
    EXPECT_EQ(m_shown, (QStringList{"1", "0"}));
    EXPECT_EQ(Design(), (QStringList{"-200,100 -200,150", "103,-4 203,-4", "50,60 2@-90"}));
}

TEST_F(MouseEditingTest, PressSelectsTheFirstHitGrabsTheHalfPressedAndShowsItsCoordinates) {
    CElement* lower = AddWire(0, -20, 100);
    CElement* upper = AddWire(-50, -20, 100);  // at the head, overlapping
    const struct {
        CPoint press;
        CElement* selected;
        int grabbed;
        CPoint offset;
        QString pane;
    } presses[] = {
        {{20, -19}, upper, GRAB_END, {-70, -1}, "(-50., 20.)  (50., 20.)"},
        {{-30, -19}, upper, GRAB_START, {-20, -1}, "(-50., 20.)  (50., 20.)"},
        {{200, 200}, nullptr, 0, {}, "\t\t\t\t\t"},
        {{90, -20}, lower, GRAB_END, {-90, 0}, "(0., 20.)  (100., 20.)"},
    };
    for (const auto& p : presses) {
        SCOPED_TRACE(p.press.x);
        Click(p.press);
        EXPECT_EQ(m_view->GetSelected(), p.selected);
        EXPECT_EQ(Pane(2), p.pane);
        if (p.selected == nullptr) continue;
        EXPECT_EQ(m_view->GetGrabbedEnd(), p.grabbed);
        EXPECT_EQ(m_view->GetGrabOffset(), p.offset);
    }
    // The selected wire is drawn in red.
    const CPoint centre = m_view->OnPrepareDC();
    EXPECT_EQ(Grab(m_view).pixel(centre.x + 80, centre.y - 20), qRgb(255, 0, 0));
}

TEST_F(MouseEditingTest, DraggingPutsTheGrabbedEndOnASnapTarget) {
    AddWire(-100, -100, 50);
    CElement* wire = AddWire(300, 0, 100);
    Drag({310, 2}, {-95, -97});  // grabbed at its start, near the other's start
    EXPECT_EQ(Where(wire), "-100,-100 0,-100");
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_EQ(Pane(2), "(-100., 100.)  (0., 100.)");
    CElement* slanted = AddWire(300, 100, 100, 90);
    Drag({300, 110}, {104, 203});  // the grid point (100, 200)
    EXPECT_EQ(Where(slanted), "100,200 100,300");

    // Grabbed at its end, in a window of its own, the end lands there.
    m_view = NewWindow();
    wire = AddWire(300, 200, 100);
    Drag({390, 200}, {-96, -104});
    EXPECT_EQ(Where(wire), "-200,-100 -100,-100");
    CElement* source = m_doc->AddElementAtTail(std::make_unique<CSource>(200, 150, 0, 1, 0));
    Drag({202, 151}, {-197, -96});  // near that wire's start
    EXPECT_EQ(Where(source), "-200,-100 1@0");
}

TEST_F(MouseEditingTest, EachViewKeepsItsOwnSelectionAndSnapMode) {
    CElement* wire = AddWire(300, 0, 100);
    AddWire(-100, -100, 50);
    CQuadrellView* first = m_view;
    m_view = NewWindow();
    Command(ID_SNAP_CONTROLS, "1018:");
    EXPECT_EQ(m_shown, QStringList{"1017"});
    EXPECT_EQ(m_view->GetSnapMode(), SNAP_OFF);
    EXPECT_EQ(first->GetSnapMode(), SNAP_ALL);
    EXPECT_EQ(Pane(1), "Snap Off");

    // Unsnapped, the start goes where the mouse is plus the grab offset.
    Drag({310, 2}, {-95, -97});
    EXPECT_EQ(Where(wire), "-105,-99 -5,-99");
    EXPECT_EQ(m_view->GetSelected(), wire);
    EXPECT_EQ(first->GetSelected(), nullptr);

    // Cancel keeps the mode, and still shows its text.
    m_frame->SetStatusPaneText(1, "x");
    Command(ID_SNAP_CONTROLS, "1019:", "IDCANCEL");
    EXPECT_EQ(m_shown, QStringList{"1018"});
    EXPECT_EQ(Pane(1), "Snap Off");
    Command(ID_SNAP_CONTROLS, "1019:");
    EXPECT_EQ(m_view->GetSnapMode(), SNAP_GRID);
    EXPECT_EQ(Pane(1), "Snap Grid");
}

TEST_F(MouseEditingTest, DoubleClickEditsTheElementUnderTheMouse) {
    CElement* wire = AddWire(0, 0, 100, 30);
    Answer(m_catcher, "1003:250", "IDCANCEL");
    Click({40, 23}, true);
    EXPECT_EQ(m_view->GetSelected(), wire);
    Answer(m_catcher, "1003:250", "IDOK", &m_shown);
    Click({40, 23}, true);
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "30"}));
    EXPECT_EQ(Where(wire), "0,0 216.506,125");
    EXPECT_EQ(m_view->GetSelected(), nullptr);

    CElement* source = m_doc->AddElementAtTail(std::make_unique<CSource>(-100, 10, 0, 1, 0));
    Answer(m_catcher, "1008:3|1007:45");
    Click({-100, 10}, true);
    EXPECT_EQ(Where(source), "-100,10 3@45");
    EXPECT_EQ(m_view->GetSelected(), nullptr);

    // On empty space the press before has cleared the selection: no dialog.
    Click({40, 23});
    Click({-300, -200}, true);
    EXPECT_EQ(m_catcher.PendingHandlers(), 0);
    EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
}

TEST_F(MouseEditingTest, AnElementRemovedElsewhereLeavesNoViewHoldingIt) {
    CElement* wire = AddWire(0, 0, 100);
    CQuadrellView* first = m_view;
    m_view = NewWindow();
    Click({50, 0});
    m_frame->ActiveChild()->close();  // the gone view is told nothing more
    ProcessDeletes();
    m_view = first;
    Mouse(QEvent::MouseButtonPress, {50, 0});
    Mouse(QEvent::MouseMove, {60, 10});
    EXPECT_TRUE(m_view->IsDragging());
    m_doc->RemoveElement(wire);
    m_doc->UpdateAllViews();
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    Mouse(QEvent::MouseMove, {70, 20});
    Mouse(QEvent::MouseButtonRelease, {70, 20});
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_TRUE(Design().isEmpty());
}

}  // namespace
