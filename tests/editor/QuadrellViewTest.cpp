// The editor view in a design window of the real main window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>

#include "app/ChildFrm.h"
#include "editor/PrinterSettings.h"
#include "editor/QuadrellView.h"
#include "editor/WireTable.h"
#include "model/QuadrellDoc.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "nec/DeckWriter.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "tests/support/ShellFixture.h"
#include "ui/CommandIds.h"

namespace {

const QRgb kAxis = qRgb(0, 100, 255), kBlack = qRgb(0, 0, 0);

QImage Grab(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(QuadrellView, PaintsAxesGridMarksAndElementsAroundTheClientCentre) {
    CQuadrellDoc doc;
    CPrinterSettings printer;
    CQuadrellView view(doc, printer);
    view.resize(801, 601);
    view.OnInitialUpdate();
    doc.AddElementAtHead(std::make_unique<CWire>(0, 50, 0, 100, 0.005f, 5, 0));
    doc.AddElementAtTail(std::make_unique<CSource>(-200, 100, 0, 1, 0));
    const QImage image = Grab(&view);
    EXPECT_EQ(image.pixel(400, 300 - 30), kAxis);         // up arrow
    EXPECT_EQ(image.pixel(400 + 30, 300), kAxis);         // right arrow
    EXPECT_EQ(image.pixel(400 + 100, 300 + 100), kAxis);  // grid marks
    EXPECT_EQ(image.pixel(400 + 50, 300 + 60), view.palette().color(QPalette::Base).rgb());
    EXPECT_EQ(image.pixel(400 + 20, 300 + 50), kBlack);
    EXPECT_EQ(image.pixel(400 - 200, 300 + 100 - 3), qRgb(0, 255, 0));
}

// An element as "x1,y1 x2,y2" for a wire, "x,y magnitude@phase" for a source.
QString Where(const CElement* e) {
    const QString start = QString("%1,%2 ").arg(e->GetStartX()).arg(e->GetStartY());
    if (e->GetType() == ELEMENT_SOURCE) {
        return start + QString("%1@%2").arg(e->GetMagnitude()).arg(e->GetPhase());
    }
    return start + QString("%1,%2").arg(e->GetEndX()).arg(e->GetEndY());
}

class DesignWindowTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        m_view = m_frame->ActiveView();
        m_doc = m_view->GetDocument();
    }

    // A mouse event at a logical point, of the left button unless given.
    void Mouse(QEvent::Type type, CPoint p, Qt::MouseButton which = Qt::LeftButton) {
        const CPoint centre = m_view->OnPrepareDC();
        const QPointF local(p.x + centre.x, p.y + centre.y);
        const auto button = type == QEvent::MouseMove ? Qt::NoButton : which;
        const auto buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : which;
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
        for (ElementPosition pos = m_doc->GetFirstElementPosition(); pos;)
            elements << Where(m_doc->GetNextElement(pos));
        return elements;
    }
    CElement* AddWire(float x, float y, float length, float angle = 0) {
        return m_doc->AddElementAtHead(std::make_unique<CWire>(x, y, 0, length, 0.005f, 5, angle));
    }
    // Runs command `id` and answers its file dialog with `path` in the test
    // folder, or Cancel for none.
    void PickFile(int id, const QString& path, std::function<void()> after = {}) {
        m_catcher.OnDialog([=, this](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            m_shown = QStringList{name->text(), dialog->defaultSuffix()} + dialog->nameFilters();
            if (path.isEmpty()) return dialog->reject();
            dialog->setDirectory(m_folder.path());
            Retype(name, path);
            QTest::keyClick(name, Qt::Key_Return);
            if (after) after();
        });
        Trigger(id);
    }
    void Command(int id, const QString& entries = {}, const char* button = "IDOK") {
        Answer(m_catcher, entries, button, &m_shown);
        m_frame->Action(id)->trigger();
    }
    CElement* AddSource(float x, float y) {
        return m_doc->AddElementAtTail(std::make_unique<CSource>(x, y, 0, 1, 0));
    }
    // Generate Input File with entries for its two dialogs, saving to `name`.
    void Generate(const QString& name, const QString& frequency = {}, const QString& pattern = {},
                  std::function<void()> after = {}) {
        Answer(m_catcher, frequency, "IDOK", &m_shownFrequency);
        Answer(m_catcher, pattern);
        PickFile(ID_GENERATE_INPUT_FILE, name, after);
    }
    void Trigger(int id) {
        m_frame->Action(id)->trigger();
        EXPECT_EQ(m_catcher.PendingHandlers(), 0);
        EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(m_folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QByteArray Read(const QString& name) const {
        QFile file(m_folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QList<QMdiSubWindow*> ResultWindows() const {
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* window : m_frame->MdiArea()->subWindowList())
            if (qobject_cast<CPlotWindow*>(window->widget()) != nullptr) windows << window;
        return windows;
    }
    // Runs Process Output Data on a listing of the test data, or cancels.
    void Process(const QString& name) {
        PickFile(ID_PROCESS_OUTPUT_DATA,
                 name.isEmpty() ? name : QUADRELL_TEST_DATA_DIR "/listings/" + name);
        QApplication::processEvents();  // the structure window's first message
    }
    CQuadrellView* NewWindow() {
        Trigger(ID_WINDOW_NEW);
        return m_frame->ActiveView();
    }
    QString Pane(int pane) const { return m_frame->StatusPaneText(pane); }
    // Right-presses at `p` and answers the context menu with the item
    // `choose`, or Escape; the items the menu showed.
    QStringList RightClick(CPoint p, const QString& choose = {}) {
        return AnswerPopup([&] { Mouse(QEvent::MouseButtonPress, p, Qt::RightButton); }, choose);
    }
    void Activate(CQuadrellView* view) {
        m_frame->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
        m_view = view;
    }
    CElement* Head() const {
        ElementPosition head = m_doc->GetFirstElementPosition();
        return head ? m_doc->GetNextElement(head) : nullptr;
    }

    std::string Deck() const {
        int tags = 0;
        return WriteDeck(*m_doc, {}, {}, m_view->GetOrigin(), tags).text;
    }
    // Undo and Redo as the Edit menu offers them: "prompt/tool tip|", or "-|" when disabled.
    QString UndoRedo() const {
        QString state;
        for (const QAction* action : {m_frame->Action(ID_EDIT_UNDO), m_frame->Action(ID_EDIT_REDO)})
            state +=
                action->isEnabled() ? action->statusTip() + "/" + action->toolTip() + "|" : "-|";
        return state;
    }

    CQuadrellView* m_view = nullptr;
    CQuadrellDoc* m_doc = nullptr;
    QStringList m_shown, m_shownFrequency;
    QTemporaryDir m_folder;
};

TEST_F(DesignWindowTest, PlacesWiresAtTheHeadAndSourcesAtTheTailWhereThePressIs) {
    Command(ID_PLACE_WIRE);
    EXPECT_EQ(m_view->cursor().shape(), Qt::BitmapCursor);
    Click({103, -4});  // right next to a grid point: placing does not snap
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "0"}));
    Command(ID_PLACE_WIRE, "1003:50|1006:90");
    Click({-200, 100});
    Command(ID_PLACE_WIRE, {}, "IDCANCEL");
    Click({0, 0});
    EXPECT_TRUE(m_view->IsInSelectMode());

    Command(ID_PLACE_SOURCE, "1008:2|1007:-90");
    // A cross with a white halo, its hot spot in the middle.
    EXPECT_EQ(m_view->cursor().hotSpot(), QPoint(15, 16));
    EXPECT_EQ(m_view->cursor().pixmap().toImage().pixel(13, 16), qRgba(255, 255, 255, 255));
    Click({50, 60});
    EXPECT_EQ(m_shown, (QStringList{"1", "0"}));
    EXPECT_EQ(Design(), (QStringList{"-200,100 -200,150", "103,-4 203,-4", "50,60 2@-90"}));
}

TEST_F(DesignWindowTest, PressSelectsTheFirstElementHitAndShowsItsCoordinates) {
    CElement* lower = AddWire(0, -20, 100);
    CElement* upper = AddWire(-50, -20, 100);  // at the head, overlapping
    const std::tuple<CPoint, CElement*, QString> presses[] = {
        {{20, -19}, upper, "(-50., 20.)  (50., 20.)"},
        {{200, 200}, nullptr, "\t\t\t\t\t"},
        {{90, -20}, lower, "(0., 20.)  (100., 20.)"}};
    for (const auto& [press, selected, pane] : presses) {
        Click(press);
        EXPECT_EQ(m_view->GetSelected(), selected);
        EXPECT_EQ(Pane(2), pane);
    }
    // The selected wire is drawn in red.
    const CPoint centre = m_view->OnPrepareDC();
    EXPECT_EQ(Grab(m_view).pixel(centre.x + 80, centre.y - 20), qRgb(255, 0, 0));
}

TEST_F(DesignWindowTest, DraggingPutsTheGrabbedEndOnASnapTarget) {
    AddWire(-100, -100, 50);
    CElement* wire = AddWire(300, 0, 100);
    Drag({310, 2}, {-95, -97});  // grabbed at its start, near the other's start
    EXPECT_EQ(Where(wire), "-100,-100 0,-100");
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_EQ(Pane(2), "(-100., 100.)  (0., 100.)");

    // Grabbed at its end, in a window of its own, the end lands there.
    m_view = NewWindow();
    wire = AddWire(300, 200, 100);
    Drag({390, 200}, {-96, -104});
    EXPECT_EQ(Where(wire), "-200,-100 -100,-100");
}

TEST_F(DesignWindowTest, EachViewKeepsItsOwnStateAndLetsGoOfElementsRemovedElsewhere) {
    CElement* wire = AddWire(300, 0, 100);
    AddWire(-100, -100, 50);
    CQuadrellView* first = m_view;
    m_view = NewWindow();
    Command(ID_SNAP_CONTROLS, "1018:");
    EXPECT_EQ(m_shown, QStringList{"1017"});
    EXPECT_EQ(first->GetSnapMode(), SNAP_ALL);
    EXPECT_EQ(Pane(1), "Snap Off");

    // Unsnapped, the start goes where the mouse is plus the grab offset.
    Drag({310, 2}, {-95, -97});
    EXPECT_EQ(Where(wire), "-105,-99 -5,-99");
    EXPECT_EQ(first->GetSelected(), nullptr);

    // Cancel keeps the mode, and still shows its text.
    m_frame->SetStatusPaneText(1, "x");
    Command(ID_SNAP_CONTROLS, "1019:", "IDCANCEL");
    EXPECT_EQ(m_shown, QStringList{"1018"});
    EXPECT_EQ(Pane(1), "Snap Off");
    Command(ID_SNAP_CONTROLS, "1019:");
    EXPECT_EQ(Pane(1), "Snap Grid");

    // A view that goes is told nothing more.
    m_frame->ActiveChild()->close();
    ProcessDeletes();
    m_doc->RemoveElement(wire);
    m_doc->UpdateAllViews();
    EXPECT_EQ(Design(), QStringList{"-100,-100 -50,-100"});
}

TEST_F(DesignWindowTest, DoubleClickEditsTheElementUnderTheMouse) {
    CElement* wire = AddWire(0, 0, 100, 30);
    CElement* source = AddSource(-100, 50);
    Answer(m_catcher, "1003:250", "IDCANCEL");
    Click({40, 23}, true);
    EXPECT_EQ(m_view->GetSelected(), wire);
    Answer(m_catcher, "1003:250", "IDOK", &m_shown);
    Click({40, 23}, true);
    EXPECT_EQ(m_shown, (QStringList{"100", "5", "0.005", "30"}));
    EXPECT_EQ(Where(wire), "0,0 216.506,125");
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    Answer(m_catcher, "1008:3|1007:45");
    Click({-100, 50}, true);
    EXPECT_EQ(Where(source), "-100,50 3@45");
}

// Each command, angle before, angle after: the wire turns about its start into
// a new one at the head, at its height with whole segments, and none stays selected.
TEST_F(DesignWindowTest, RotateAndFlipReplaceTheWireTurnedAboutItsStart) {
    const std::tuple<int, float, float> turns[] = {
        {ID_ROTATE, 0, 90}, {ID_ROTATE, 360, 90}, {ID_FLIP, 180, 360}, {ID_FLIP, 360, 180}};
    CElement* source = AddSource(-100, -100);
    for (const auto& [command, before, after] : turns) {
        SCOPED_TRACE(before);
        m_doc->AddElementAtHead(std::make_unique<CWire>(10, 20, 2, 40, 0.002f, 7.9f, before));
        Click({10, 20});
        Trigger(command);
        const auto* wire = static_cast<const CWire*>(Head());
        EXPECT_EQ(QList<float>({wire->GetStartX(), wire->GetStartY(), wire->GetStartZ(),
                                wire->GetLength(), wire->GetRadius(), wire->GetSegments(),
                                wire->GetAngle()}),
                  QList<float>({10, 20, 2, 40, 0.002f, 7, after}));
        EXPECT_EQ(m_view->GetSelected(), nullptr);
        m_doc->RemoveElement(Head());
    }
    // A source does not turn.
    Click({-100, -100});
    Trigger(ID_ROTATE);
    Trigger(ID_FLIP);
    EXPECT_EQ(Design(), QStringList{Where(source)});
}

// Zoomed in, a click lands on its pixel's metres and the readout shows them,
// the grid is 10 m apart at 10 px/m; Ctrl and the wheel zoom about the mouse,
// the middle button pans, and Zoom to Fit and Actual Size frame the design.
TEST_F(DesignWindowTest, ZoomedViewsPlaceAndSnapAtTheirPrecision) {
    for (int step = 0; step < 3; ++step) Trigger(ID_ZOOM_IN);
    EXPECT_EQ(Pane(STATUS_PANE_SCALE), "10 px/m");
    Command(ID_PLACE_WIRE, "1003:10");
    Click({34, -12});
    Click({40, -12});
    EXPECT_EQ(Pane(STATUS_PANE_COORDS), "(3.4, 1.2)  (13.4, 1.2)");
    Drag({40, -12}, {98, -103});
    EXPECT_EQ(Pane(STATUS_PANE_COORDS), "(10., 10.)  (20., 10.)");

    const auto send = [this](QEvent&& event) { QApplication::sendEvent(m_view, &event); };
    const QPointF at =
        QPointF(m_view->OnPrepareDC().x, m_view->OnPrepareDC().y) + QPointF(100, -100);
    send(QWheelEvent(at, m_view->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false));
    EXPECT_EQ(std::pair(Pane(STATUS_PANE_SCALE), m_view->GetScale().ToMetres(CPoint{100, -100})),
              std::pair(QString("20 px/m"), CPointF{10, -10}));
    Mouse(QEvent::MouseButtonPress, {0, 0}, Qt::MiddleButton);
    Mouse(QEvent::MouseMove, {30, 20}, Qt::MiddleButton);
    Mouse(QEvent::MouseButtonRelease, {30, 20}, Qt::MiddleButton);
    EXPECT_EQ(m_view->GetScale().ToMetres(CPoint{130, -80}), (CPointF{10, -10}));

    Trigger(ID_ZOOM_TO_FIT);
    const CViewScale fit = m_view->GetScale();
    const int room = m_view->width() - 40;
    EXPECT_EQ(fit.ToMetres(CPoint{0, 0}), (CPointF{15, -10}));
    EXPECT_TRUE(fit.ToPixels(10) <= room && CViewScale(fit.Step() + 1).ToPixels(10) > room);
    Trigger(ID_ACTUAL_SIZE);
    EXPECT_TRUE(m_view->GetScale().IsActualSize());
}

// The table shows the design in deck terms; an edit changes the element for
// every view at once, a refused value changes nothing, and a click selects.
TEST_F(DesignWindowTest, TheWireTableEditsTheDesignForEveryView) {
    CElement* wire = m_doc->AddElementAtHead(
        std::make_unique<CWire>(-5.35f, -3.4f, 12.5f, 10.7f, 0.005f, 11, 0));
    CElement* source = AddSource(0, -3.4f);
    CQuadrellView* first = m_view;
    Activate(NewWindow());
    Trigger(ID_WIRE_TABLE);
    CWireTable* table = m_view->GetWireTable();
    ASSERT_TRUE(table != nullptr && table->isVisible());
    const auto cells = [table] {
        QStringList texts;
        for (QTableWidget* list : {table->Wires(), table->Sources()})
            for (int column = 0; column < list->columnCount(); ++column)
                texts << list->item(0, column)->text();
        return texts;
    };
    EXPECT_EQ(cells().join(' '), "-5.35 3.4 12.5 10.7 0 5.35 3.4 0.005 11 0 3.4 1 0");

    const std::tuple<int, const char*, const char*> edits[] = {
        {3, "9.5", ""},
        {0, "1", ""},
        {2, "x", "Please enter a number."},
        {4, "400", "Please enter a number between 0 and 360."},
        {4, "90", ""}};
    for (const auto& [column, text, refusal] : edits) {
        const qsizetype shown = m_catcher.Messages().size();
        table->Wires()->item(0, column)->setText(text);
        QApplication::processEvents();
        EXPECT_EQ(m_catcher.Messages().mid(shown).join('|'), refusal);
    }
    EXPECT_EQ(cells().mid(0, 9).join(' '), "1 3.4 12.5 9.5 90 1 -6.1 0.005 11");
    EXPECT_EQ(Grab(first).pixel(first->OnPrepareDC().x + 1, first->OnPrepareDC().y + 5), kBlack);
    EXPECT_EQ(m_view->GetSelected(), wire);

    // Upright, the second coordinate is the height above the ground.
    Command(ID_GROUND_AND_HEIGHT, "1037:|1038:2");
    table->Wires()->item(0, 1)->setText("10");
    QApplication::processEvents();
    EXPECT_EQ(
        QStringList({Pane(STATUS_PANE_GROUND), table->Wires()->horizontalHeaderItem(1)->text(),
                     QString::number(table->Wires()->isColumnHidden(2))}) +
            cells().mid(0, 9),
        QString("Free space, upright, 2 m|Start Z (m)|1|1|10|0|9.5|90|1|0.5|0.005|11").split('|'));

    Click({100, 100});
    QTableWidget* sources = table->Sources();
    QTest::mousePress(sources->viewport(), Qt::LeftButton, {},
                      sources->visualItemRect(sources->item(0, 0)).center());
    EXPECT_EQ(m_view->GetSelected(), source);
}

TEST_F(DesignWindowTest, CopyCutAndPasteUseTheViewsOwnBufferAtTheLastPress) {
    AddWire(0, 0, 50, 30);
    AddSource(100, 100);
    const QStringList drawn = Design();
    Click({20, 11});
    Trigger(ID_EDIT_COPY);
    CQuadrellView* first = m_view;
    Activate(NewWindow());
    Trigger(ID_EDIT_PASTE);  // this view's buffer is empty
    EXPECT_EQ(Design(), drawn);

    // Paste from the menu of empty space, then again from the keys.
    Activate(first);
    EXPECT_EQ(RightClick({200, 100}, "&Paste"),
              (QStringList{"New Element", "&Snap Controls 32783", "&Paste 57637"}));
    Trigger(ID_EDIT_PASTE);
    EXPECT_EQ(Design(), QStringList({"200,100 243.301,125", "200,100 243.301,125"}) + drawn);
    EXPECT_EQ(std::pair(Head()->GetRadius(), Head()->GetSegments()), std::pair(0.005f, 5.0f));

    // A cut source goes from every view and comes back at the tail. (The
    // first press after a menu selects nothing.)
    Click({100, 100});
    Click({100, 100});
    Trigger(ID_EDIT_CUT);
    Click({-50, -60});
    Trigger(ID_EDIT_PASTE);
    EXPECT_EQ(Design().mid(2), (QStringList{drawn[0], "-50,-60 1@0"}));
}

TEST_F(DesignWindowTest, ARightPressSelectsForItsMenuAndTheNextLeftPressSelectsNothing) {
    CElement* wire = AddWire(0, 0, 100);
    EXPECT_EQ(RightClick({50, 0}), (QStringList{"&Flip\tCtrl+F 32786", "&Rotate\tCtrl+R 32787",
                                                "&Delete\tDel 32773", "-", "Cu&t\tCtrl+X 57635",
                                                "&Copy\tCtrl+C 57634", "&Paste\tCtrl+V 57637"}));
    EXPECT_EQ(m_view->GetSelected(), wire);
    Click({50, 0});
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    Click({50, 0});
    EXPECT_EQ(m_view->GetSelected(), wire);

    // The menu's command acts on the element the right press selected.
    RightClick({50, 0}, "&Delete\tDel");
    EXPECT_TRUE(Design().isEmpty());

    // In a placement mode a right press only returns to select mode.
    Command(ID_PLACE_WIRE);
    EXPECT_TRUE(RightClick({0, 0}).isEmpty());
    EXPECT_TRUE(m_view->IsInSelectMode());
}

// Another view that holds an element, even mid-drag, lets go of it when it is
// removed or replaced, and every command and drag after that is harmless.
TEST_F(DesignWindowTest, AViewNeverUsesAnElementRemovedThroughAnother) {
    CQuadrellView* first = m_view;
    CQuadrellView* second = NewWindow();
    for (int removal : {ID_DELETE_ELEMENT, ID_EDIT_CUT, ID_ROTATE, ID_FLIP, ID_EDIT_UNDO}) {
        SCOPED_TRACE(removal);
        Activate(first);
        // Undo takes away a wire placed as a step.
        if (removal == ID_EDIT_UNDO)
            Command(ID_PLACE_WIRE), Click({0, 0});
        else
            AddWire(0, 0, 100);
        Click({50, 0});
        Activate(second);
        Mouse(QEvent::MouseButtonPress, {50, 0});
        Mouse(QEvent::MouseMove, {60, 10});
        Activate(first);
        Trigger(removal);
        Activate(second);
        EXPECT_EQ(second->GetSelected(), nullptr);
        Mouse(QEvent::MouseMove, {70, 20});
        Mouse(QEvent::MouseButtonRelease, {70, 20});
        for (int command :
             {ID_ROTATE, ID_FLIP, ID_DELETE_ELEMENT, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE})
            Trigger(command);
        Drag({60, 10}, {80, 30});
        EXPECT_EQ(Design().size(), removal == ID_ROTATE || removal == ID_FLIP ? 1 : 0);
        while (Head() != nullptr) m_doc->RemoveElement(Head());
    }
}

const QString kCreated = "NEC File Created";
const QByteArray kDipoleDeck =
    "CM NEC2D Input File Generated by Quadrell\r\nCE\r\nGW 1 5. 0. 0. 0. 100. 0. 0. 5.e-003\r\n"
    "GW 2 5. -100. 0. 0. 0. 0. 0. 5.e-003\r\nGE\r\nEX 0 1 1 00 1. 0. 0 0 0 0\r\n";

TEST_F(DesignWindowTest, GenerateInputFileWritesTheDesignOrNothing) {
    AddWire(-100, 0, 100);
    AddWire(0, 0, 100);
    AddSource(0, 0);
    Generate("dipole", "1009:3|1011:0.05|1010:14.25", "1013:1|1014:5|1016:1|1017:2|1012:0");
    EXPECT_EQ(m_shownFrequency.value(0), "1");
    EXPECT_EQ(m_catcher.Messages(), QStringList{kCreated});
    // News with an information icon, failures below with a warning.
    EXPECT_EQ(m_catcher.Icons(), QList{QMessageBox::Information});
    EXPECT_EQ(Read("dipole.in"), kDipoleDeck +
                                     "FR 0 3 0 0 14.250 0.050 0 0 0 0\r\n"
                                     "RP 0 0 37 1512 0.000 0.000 10.000 10.000\r\nEN");

    // The next deck starts from the last frequency, its wires numbered from 1;
    // a typed extension is kept, an existing file replaced whole if confirmed.
    // Qt's question quotes the name as typed, never as markup.
    const QString old = "<i>old<i>.nec";
    Write(old, QByteArray(300, 'x'));
    // The whole sweep confirmed last is offered again, steps and increment too.
    Generate(old);
    EXPECT_EQ(m_shownFrequency.mid(0, 3), (QStringList{"14.25", "3", "0.05"}));
    EXPECT_EQ(m_catcher.Messages().mid(1),
              (QStringList{old + " already exists.\nDo you want to replace it?", kCreated}));
    const QByteArray replaced = Read(old);
    EXPECT_EQ(replaced, kDipoleDeck +
                            "FR 0 3 0 0 14.250 0.050 0 0 0 0\r\n"
                            "RP 0 19 37 0000 0.000 0.000 10.000 10.000\r\nEN");

    // A frequency confirmed is kept whatever is cancelled after it.
    Generate({}, "1010:2");
    EXPECT_EQ(m_view->GetLastFrequency(), 2.0f);
    EXPECT_EQ(m_catcher.Messages().size(), 3);

    // A deck that cannot be written leaves the chosen path as it was.
    AddSource(50, 0);
    Generate(old);
    EXPECT_EQ(m_catcher.Messages().last(),
              "All Sources Must be connected to a Wire.\n\nFile Not Created");
    EXPECT_EQ(m_catcher.Icons().last(), QMessageBox::Warning);
    AddWire(50, 0, 10);
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("decks"));
    const QString folder = m_folder.filePath("decks");
    Generate("decks/deck.in", {}, {}, [folder] { QDir(folder).removeRecursively(); });
    EXPECT_EQ(m_catcher.Messages().last(), "Cannot write " + QDir::toNativeSeparators(folder) +
                                               "/deck.in:\nNo such file or directory.\n\nFile "
                                               "Not Created");
    // A wire the solver cannot take is named before any dialog, and nothing is written.
    AddWire(300, 300, 0);
    Trigger(ID_GENERATE_INPUT_FILE);
    EXPECT_EQ(m_catcher.Messages().last(),
              "The wire starting at (300., -300.) has no length: its two ends are written as one "
              "point.\n\nFile Not Created");
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"<i>old<i>.nec", "dipole.in"}));
    EXPECT_EQ(Read(old), replaced);
}

TEST_F(DesignWindowTest, ProcessOutputDataOpensTwoWindowsOnTopAndTheDesignTakesTheNewestAlong) {
    // A deck is no listing; listings cut short are the reader's own tests.
    for (const QString& name : {QString(), QString("dipole.in")}) Process(name);
    // No file named yet, the listing's extension, and no filter (in Qt's words).
    EXPECT_EQ(m_shown, (QStringList{" ", "out", "All Files (*)"}));
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Invalid Input File"});
    // A file that cannot be read at all is named as typed, with the reason.
    const QString gone = m_folder.filePath("<b>gone.out");
    Write("<b>gone.out", "RUN TIME =");
    PickFile(ID_PROCESS_OUTPUT_DATA, gone, [gone] { QFile::remove(gone); });
    EXPECT_EQ(m_catcher.Messages().last(), "Cannot read " + QDir::toNativeSeparators(gone) +
                                               ": No such file or directory.\nInvalid Input File");

    // The results open whole on top of a maximised design window.
    m_frame->resize(1000, 700);
    QMdiSubWindow* design = m_frame->ActiveChild();
    design->showMaximized();
    const QString title = m_frame->windowTitle();
    Process("dipole.out");
    const QList<QMdiSubWindow*> first = ResultWindows();
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0]->windowTitle(), "Far-Field Radiation Pattern");
    EXPECT_EQ(first[0]->geometry(), QRect(50, 50, 350, 350));
    EXPECT_EQ(first[1]->windowTitle(), "Antenna Plot");
    EXPECT_EQ(first[1]->geometry(), QRect(425, 50, 350, 350));
    EXPECT_GT(first[1]->widget()->y(), first[1]->widget()->x());  // below its caption
    // The Results window comes last, on top, beside the two and over neither.
    QMdiSubWindow* results = m_frame->MdiArea()->activeSubWindow();
    EXPECT_EQ(results->windowTitle(), "Results");
    EXPECT_FALSE(results->geometry().intersects(first[0]->geometry().united(first[1]->geometry())));
    EXPECT_EQ(m_frame->MdiArea()->subWindowList(QMdiArea::StackingOrder).mid(1),
              first + QList{results});
    EXPECT_TRUE(design->isMaximized());
    EXPECT_EQ(m_frame->windowTitle(), title);
    EXPECT_TRUE(m_view->GetPlotDlg()->IsProjectionReady());

    Process("dipole.out");
    const QList<QMdiSubWindow*> second = ResultWindows().mid(2);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(m_catcher.Messages().size(), 4);
    // The user closes the newest structure window: it is gone at once.
    second[1]->close();
    ProcessDeletes();
    EXPECT_EQ(m_view->GetAntennaPlot(), nullptr);
    // Design windows still hand the maximised state on to each other.
    QWidget* other = NewWindow()->parentWidget();
    QApplication::processEvents();
    EXPECT_TRUE(other->isMaximized() && !design->isMaximized());
    // Closing the design window takes the newest pattern window with it.
    design->close();
    ProcessDeletes();
    EXPECT_EQ(ResultWindows(), first);
}

TEST_F(DesignWindowTest, FileOpenImportsADeckIntoTheDesignWholeOrNotAtAll) {
    AddWire(-100, 0, 100);
    AddSource(0, 0);
    Generate("dipole");
    const QStringList drawn = Design();
    // A deck with nothing the editor can draw changes nothing.
    Write("bad.out", "CE\nGA 2 8 2 0 90 .001\nGE\nFR 0 1 0 0 7\nEN");
    PickFile(ID_FILE_OPEN, "bad");
    EXPECT_EQ(m_catcher.Messages().last(),
              "Quadrell can draw nothing in this deck. It holds:\n1 arc (GA).\n"
              "File Cannot be Opened");
    EXPECT_EQ(Design(), drawn);

    // The written deck comes back on top of what is drawn: its wire at the
    // head, its source at the tail.
    PickFile(ID_FILE_OPEN, "dipole.in");
    EXPECT_EQ(Design(), (QStringList{drawn[0], drawn[0], drawn[1], drawn[1]}));
    EXPECT_EQ(QSettings().value("Recent File List/File1"), m_folder.filePath("dipole.in"));

    // Wires come in reversed with the deck's ground, its sweep is offered
    // next, and what was skipped is said once.
    Write("two.in",
          "CE\nGW 1 3 0 0 0 10 0 0 .001\nGW 2 3 0 5 0 10 5 0 .001\nGW 3 1 1 1 1 1 1 1 .1\nGE\n"
          "EX 0 2 3 00 0 1.\nEX 0 4 1 00 1. 0\nGN 1\nFR 0 3 0 0 7.1 0.05\nEN");
    PickFile(ID_FILE_OPEN, "two.in");
    EXPECT_EQ(Design().mid(0, 2), (QStringList{"0,-5 10,-5", "0,0 10,0"}));
    EXPECT_EQ(Design().last(), "10,-5 1@90");
    EXPECT_EQ(m_catcher.Messages().last(),
              "These cards of the deck were skipped:\n1 excitation with a tag that no GW card "
              "has.\n1 wire whose two ends are one point.");
    EXPECT_EQ(m_doc->GetGround().kind, GroundKind::PERFECT);
    EXPECT_EQ(m_view->GetLastFrequency(), 7.1f);
}

// Every kind of change is one step, named in Undo's and Redo's prompts: undo
// gives back the deck byte for byte, each element at its place in the list,
// and redo the changed deck.
TEST_F(DesignWindowTest, EveryChangeIsOneStepThatUndoAndRedoTakeExactly) {
    Write("one.in", "CE\nGW 1 3 0 0 0 10 0 0 .001\nGE\nEX 0 1 1 00 1. 0\nEN");
    const CPoint wire{50, 50}, source{104, 54}, start{0, 0}, space{-300, 0};
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"Place Wire", [&] { Command(ID_PLACE_WIRE, "1006:45"), Click(space); }},
        {"Place Source", [&] { Command(ID_PLACE_SOURCE), Click(start); }},
        {"Move Wire", [&] { Drag(wire, space); }},
        {"Edit Wire", [&] { Answer(m_catcher, "1003:250"), Click(wire, true); }},
        {"Edit Source", [&] { Answer(m_catcher, "1007:30"), Click(source, true); }},
        {"Rotate Wire", [&] { Click(wire), Trigger(ID_ROTATE); }},
        {"Flip Wire", [&] { Click(wire), Trigger(ID_FLIP); }},
        {"Delete Wire", [&] { Click(wire), Trigger(ID_DELETE_ELEMENT); }},
        {"Cut Source", [&] { Click(source), Trigger(ID_EDIT_CUT); }},
        {"Paste Wire",
         [&] { Click(wire), Trigger(ID_EDIT_COPY), Click(space), Trigger(ID_EDIT_PASTE); }},
        {"Import Deck", [&] { PickFile(ID_FILE_OPEN, "one.in"); }},
        {"Edit Wire",
         [&] {
             Trigger(ID_WIRE_TABLE), m_view->GetWireTable()->Wires()->item(1, 1)->setText("7");
         }},
        {"Ground and Height", [&] { Answer(m_catcher, "1037:"), Trigger(ID_GROUND_AND_HEIGHT); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        m_view->GetHistory().clear();
        while (Head() != nullptr) m_doc->RemoveElement(Head());
        m_doc->SetGround({});
        AddWire(0, 100, 100), AddWire(0, 50, 100), AddWire(0, 0, 100), AddSource(100, 50);
        const std::string before = Deck();
        change();
        const std::string after = Deck();
        const QString undo = QString("Undo ") + name, redo = QString("Redo ") + name;
        EXPECT_NE(after, before);
        EXPECT_EQ(UndoRedo(), undo + "/" + undo + "|-|");
        Trigger(ID_EDIT_UNDO);
        EXPECT_EQ(Deck(), before);
        EXPECT_EQ(UndoRedo(), "-|" + redo + "/" + redo + "|");
        Trigger(ID_EDIT_REDO);
        EXPECT_EQ(Deck(), after);
    }
}

// Closing the last window of a changed design, or the program, asks once for
// each such design; Cancel, or a deck not written, keeps the windows. A
// design made, opened or written as a deck closes without a word.
TEST_F(DesignWindowTest, ClosingAChangedDesignAsksToWriteItFirst) {
    const QString question = "Write %1 as a NEC2D deck before closing?";
    QWidget* design = m_frame->ActiveChild();
    Command(ID_PLACE_WIRE), Click({0, 0});
    NewWindow()->parentWidget()->close();
    Answer(m_catcher, {}, "IDCANCEL");  // Write's first dialog
    for (const char* answer : {"Cancel", "Write..."}) m_catcher.OnMessage(answer), design->close();
    EXPECT_EQ(m_catcher.Messages(), QStringList(2, question.arg("Quadre1")));
    Generate("deck");
    design->close();
    ProcessDeletes();
    EXPECT_TRUE(m_frame->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(m_catcher.Messages().size(), 3);

    for (int place : {ID_PLACE_WIRE, ID_PLACE_SOURCE}) {
        Trigger(ID_FILE_NEW);
        m_view = m_frame->ActiveView();
        Command(place), Click({0, 0});
        m_app->OpenDocumentFile(m_folder.filePath("deck.in"));
    }
    for (const bool leave : {false, true}) {
        for (const char* answer : {"Discard", leave ? "Discard" : "Cancel"})
            m_catcher.OnMessage(answer);
        QCloseEvent exit;
        QApplication::sendEvent(m_frame, &exit);
        ProcessDeletes();
        EXPECT_EQ(exit.isAccepted(), leave);
        EXPECT_EQ(m_frame->MdiArea()->subWindowList().size(), leave ? 0 : 4);
    }
    const QStringList asked = {question.arg("Quadre2"), question.arg("Quadre3")};
    EXPECT_EQ(m_catcher.Messages().mid(3), asked + asked);
}

}  // namespace
