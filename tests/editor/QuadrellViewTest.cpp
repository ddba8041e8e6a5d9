// The editor view: what it paints where, and editing with the mouse in a real
// design window of a real main window.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/ChildFrm.h"
#include "editor/CommandIds.h"
#include "editor/PainterSurface.h"
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

TEST(PainterSurface, PaintsOnlySolidLinesAndLeavesOutTheirLastPoint) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kWhite);
    {
        QPainter painter(&image);
        CPainterSurface surface(painter);
        EXPECT_EQ(surface.SelectPen(Pen::Null()).style, PenStyle::Solid);
        surface.MoveTo(0, 0);
        surface.LineTo(2, 10);  // traced only, but the pen moves
        EXPECT_EQ(surface.SelectPen(Pen::Solid({0, 100, 255})).style, PenStyle::Null);
        surface.LineTo(10, 10);
    }
    EXPECT_EQ(image.pixel(1, 5), kWhite);
    EXPECT_EQ(image.pixel(2, 10), kAxis);
    EXPECT_EQ(image.pixel(9, 10), kAxis);
    EXPECT_EQ(image.pixel(10, 10), kWhite);
    EXPECT_EQ(image.pixel(5, 9), kWhite);
    EXPECT_EQ(image.pixel(5, 11), kWhite);
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
    EXPECT_EQ(surface.Lines().back().color, (PenColor{0, 255, 0}));
    EXPECT_EQ(surface.CurrentPen(), (Pen::Solid({1, 2, 3})));
}

// An element as "x1,y1 x2,y2" for a wire, "x,y magnitude@phase" for a source.
QString Where(const CElement* e) {
    const QString start = QString("%1,%2 ").arg(e->GetStartX()).arg(e->GetStartY());
    if (e->GetType() == ELEMENT_SOURCE)
        return start + QString("%1@%2").arg(e->GetMagnitude()).arg(e->GetPhase());
    return start + QString("%1,%2").arg(e->GetEndX()).arg(e->GetEndY());
}

class MouseEditingTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        m_view = m_frame->ActiveView();
        m_doc = m_view->GetDocument();
    }

    void Send(QEvent::Type type, CPoint p, Qt::MouseButtons buttons, Qt::MouseButton button) {
        const CPoint centre = m_view->OnPrepareDC();
        const QPointF local(p.x + centre.x, p.y + centre.y);
        QMouseEvent event(type, local, m_view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(m_view, &event);
    }
    void Press(CPoint p) { Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Move(CPoint p) { Send(QEvent::MouseMove, p, Qt::LeftButton, Qt::NoButton); }
    void Release(CPoint p) { Send(QEvent::MouseButtonRelease, p, Qt::NoButton, Qt::LeftButton); }
    void Click(CPoint p) {
        Press(p);
        Release(p);
    }
    void DoubleClick(CPoint p) {
        Click(p);
        Send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Release(p);
    }
    void Drag(CPoint from, CPoint to) {
        Press(from);
        Move(to);
        Release(to);
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
    // Answers the next dialog: `fields` maps control ids to text, then a
    // button; the texts shown before go to m_shown.
    void Answer(std::vector<std::pair<int, QString>> fields = {}, const char* button = "IDOK") {
        m_catcher.OnDialog([this, fields, button](QWidget* dialog) {
            m_shown.clear();
            for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) m_shown << field->text();
            for (auto* radio : dialog->findChildren<QRadioButton*>()) {
                if (radio->isChecked()) m_shown << radio->objectName();
            }
            for (const auto& [id, text] : fields) {
                if (auto* field = Field(*dialog, id)) field->setText(text);
                if (auto* radio = dialog->findChild<QRadioButton*>(QString::number(id)))
                    radio->click();
            }
            Button(*dialog, button)->click();
        });
    }
    void Trigger(int id) { m_frame->Action(id)->trigger(); }
    CQuadrellView* NewWindow() {
        Trigger(ID_WINDOW_NEW);
        return m_frame->ActiveView();
    }
    QString Pane(int pane) const { return m_frame->StatusPaneText(pane); }

    CQuadrellView* m_view = nullptr;
    CQuadrellDoc* m_doc = nullptr;
    QStringList m_shown;
};

TEST_F(MouseEditingTest, PlacesWiresAtTheHeadAndSourcesAtTheTailWhereThePressIs) {
    Trigger(ID_PLACE_WIRE);
    EXPECT_TRUE(m_view->IsPlacingWire());
    const QImage wireCursor = m_view->cursor().pixmap().toImage();
    EXPECT_EQ(wireCursor.pixel(15, 15), qRgba(0, 0, 0, 255));
    EXPECT_EQ(wireCursor.pixel(8, 8), qRgba(255, 255, 255, 255));
    Answer();
    Click({103, -4});  // right next to a grid point: placing does not snap
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "0"}));
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    EXPECT_TRUE(m_view->IsInSelectMode());
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);

    Trigger(ID_PLACE_WIRE);
    Answer({{1003, "50"}, {1006, "90"}});
    Click({-200, 100});
    Trigger(ID_PLACE_WIRE);
    Answer({}, "IDCANCEL");
    Click({0, 0});
    EXPECT_TRUE(m_view->IsInSelectMode());

    Trigger(ID_PLACE_SOURCE);
    EXPECT_TRUE(m_view->IsPlacingSource());
    const QImage sourceCursor = m_view->cursor().pixmap().toImage();
    EXPECT_EQ(m_view->cursor().hotSpot(), QPoint(15, 16));
    EXPECT_EQ(sourceCursor.pixel(15, 16), qRgba(0, 0, 0, 255));
    EXPECT_EQ(sourceCursor.pixel(13, 16), qRgba(255, 255, 255, 255));
    EXPECT_EQ(sourceCursor.pixel(14, 14), qRgba(255, 255, 255, 255));
    Answer({{1008, "2"}, {1007, "-90"}});
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
    Answer({{1018, ""}});
    Trigger(ID_SNAP_CONTROLS);
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
    Answer({{1019, ""}}, "IDCANCEL");
    Trigger(ID_SNAP_CONTROLS);
    EXPECT_EQ(m_shown, QStringList{"1018"});
    EXPECT_EQ(Pane(1), "Snap Off");
    Answer({{1019, ""}});
    Trigger(ID_SNAP_CONTROLS);
    EXPECT_EQ(m_view->GetSnapMode(), SNAP_GRID);
    EXPECT_EQ(Pane(1), "Snap Grid");
}

TEST_F(MouseEditingTest, DoubleClickEditsTheElementUnderTheMouse) {
    CElement* wire = AddWire(0, 0, 100, 30);
    Answer({{1003, "250"}}, "IDCANCEL");
    DoubleClick({40, 23});
    EXPECT_EQ(m_view->GetSelected(), wire);
    Answer({{1003, "250"}});
    DoubleClick({40, 23});
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "30"}));
    EXPECT_EQ(Where(wire), "0,0 216.506,125");
    EXPECT_EQ(m_view->GetSelected(), nullptr);

    CElement* source = m_doc->AddElementAtTail(std::make_unique<CSource>(-100, 10, 0, 1, 0));
    Answer({{1008, "3"}, {1007, "45"}});
    DoubleClick({-100, 10});
    EXPECT_EQ(Where(source), "-100,10 3@45");
    EXPECT_EQ(m_view->GetSelected(), nullptr);

    // On empty space the press before has cleared the selection: no dialog.
    Click({40, 23});
    DoubleClick({-300, -200});
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
    Press({50, 0});
    Move({60, 10});
    EXPECT_TRUE(m_view->IsDragging());
    m_doc->RemoveElement(wire);
    m_doc->UpdateAllViews();
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    Move({70, 20});
    Release({70, 20});
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_TRUE(Design().isEmpty());
}

TEST_F(MouseEditingTest, ADipoleDrawnWithTheMouseBecomesADeck) {
    for (int x : {-100, 0}) {
        Trigger(ID_PLACE_WIRE);
        Answer();
        Click({x, 0});
    }
    Trigger(ID_PLACE_SOURCE);
    Answer();
    Click({0, 0});

    QTemporaryDir folder;
    Answer({{1010, "14.2"}});
    Answer();
    m_catcher.OnDialog([&folder](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        dialog->setDirectory(folder.path());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("dipole");
        QTest::keyClick(name, Qt::Key_Return);
    });
    Trigger(ID_GENERATE_INPUT_FILE);
    EXPECT_EQ(m_catcher.Messages(), QStringList{"NEC File Created"});
    EXPECT_FLOAT_EQ(m_view->GetLastFrequency(), 14.2f);
    QFile deck(folder.filePath("dipole.in"));
    ASSERT_TRUE(deck.open(QIODevice::ReadOnly));
    EXPECT_EQ(deck.readAll().toStdString(),
              "CM NEC2D Input File Generated by Quadrell\r\nCE\r\n"
              "GW 1 5. 0. 0. 0. 100. 0. 0. 5.e-003\r\n"
              "GW 2 5. -100. 0. 0. 0. 0. 0. 5.e-003\r\nGE\r\n"
              "EX 0 1 1 00 1. 0. 0 0 0 0\r\nFR 0 0 0 0 14.200 0.000 0 0 0 0\r\n"
              "RP 0 19 37 0000 0.000 0.000 10.000 10.000\r\nEN");
}

}  // namespace
