#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/ChildFrm.h"
#include "app/DocTemplate.h"
#include "app/MainFrm.h"
#include "app/Quadrell.h"
#include "editor/CommandIds.h"
#include "editor/QuadrellView.h"
#include "model/QuadrellDoc.h"
#include "model/Snap.h"
#include "model/Source.h"
#include "model/Wire.h"
#include "tests/support/ModalCatcher.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ShellFixture.h"

namespace {

// Editing with the mouse in a real design window of a real main window.
class CMouseEditingTest : public CShellFixture {
  protected:
    void SetUp() override {
        CShellFixture::SetUp();
        m_view = m_frame->ActiveView();
        m_doc = m_view->GetDocument();
    }

    QPoint Client(CPoint logical) const {
        const CPoint centre = m_view->OnPrepareDC();
        return QPoint(logical.x + centre.x, logical.y + centre.y);
    }
    void Send(QEvent::Type type, CPoint logical, Qt::MouseButtons buttons, Qt::MouseButton button) {
        const QPointF local = Client(logical);
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
    std::vector<CElement*> Elements() const {
        std::vector<CElement*> elements;
        for (ElementPosition pos = m_doc->GetFirstElementPosition(); pos;) {
            elements.push_back(m_doc->GetNextElement(pos));
        }
        return elements;
    }
    CElement* AddWire(float x, float y, float length, float angle) {
        return m_doc->AddElementAtHead(std::make_unique<CWire>(x, y, 0, length, 0.005f, 5, angle));
    }
    // Answers the next property dialog: `fields` maps control ids to text.
    void AnswerDialog(std::map<QString, QString> fields, bool ok = true) {
        m_catcher.OnDialog([fields, ok](QWidget* dialog) {
            for (const auto& [id, text] : fields) dialog->findChild<QLineEdit*>(id)->setText(text);
            dialog->findChild<QPushButton*>(ok ? "IDOK" : "IDCANCEL")->click();
        });
    }
    QString Pane(int pane) const { return m_frame->StatusPaneText(pane); }

    CQuadrellView* m_view = nullptr;
    CQuadrellDoc* m_doc = nullptr;
};

TEST_F(CMouseEditingTest, PlaceWireUsesThePressPointAndTheDialogValues) {
    m_frame->Action(ID_PLACE_WIRE)->trigger();
    EXPECT_TRUE(m_view->IsPlacingWire());
    QStringList shown;
    m_catcher.OnDialog([&](QWidget* dialog) {
        for (const char* id : {"1003", "1005", "1004", "1006"}) {
            shown << dialog->findChild<QLineEdit*>(id)->text();
        }
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    // Right next to the grid point (100, 0): placement does not snap.
    Click({103, -4});
    EXPECT_EQ(shown, (QStringList{"100", "5", "0.005", "0"}));
    ASSERT_EQ(Elements().size(), 1u);
    const CElement* wire = Elements()[0];
    EXPECT_EQ(wire->GetType(), ELEMENT_WIRE);
    EXPECT_FLOAT_EQ(wire->GetStartX(), 103);
    EXPECT_FLOAT_EQ(wire->GetStartY(), -4);
    EXPECT_FLOAT_EQ(wire->GetEndX(), 203);
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    EXPECT_TRUE(m_view->IsInSelectMode());
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);

    // A second wire goes to the head; a cancelled one is not made.
    m_frame->Action(ID_PLACE_WIRE)->trigger();
    AnswerDialog({{"1003", "50"}, {"1006", "90"}});
    Click({-200, 100});
    m_frame->Action(ID_PLACE_WIRE)->trigger();
    AnswerDialog({}, false);
    Click({0, 0});
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_FLOAT_EQ(Elements()[0]->GetStartX(), -200);
    EXPECT_FLOAT_EQ(Elements()[0]->GetEndY(), 150);
    EXPECT_TRUE(m_view->IsInSelectMode());
}

TEST_F(CMouseEditingTest, PlaceSourceAppendsAtTheTail) {
    AddWire(0, 0, 100, 0);
    m_frame->Action(ID_PLACE_SOURCE)->trigger();
    EXPECT_TRUE(m_view->IsPlacingSource());
    AnswerDialog({{"1008", "2"}, {"1007", "-90"}});
    Click({50, 60});
    ASSERT_EQ(Elements().size(), 2u);
    const CElement* source = Elements()[1];
    EXPECT_EQ(source->GetType(), ELEMENT_SOURCE);
    EXPECT_FLOAT_EQ(source->GetMagnitude(), 2);
    EXPECT_FLOAT_EQ(source->GetPhase(), -90);
    EXPECT_FLOAT_EQ(source->GetStartX(), 50);
}

TEST_F(CMouseEditingTest, PressSelectsTheFirstHitAndShowsItsCoordinates) {
    CElement* lower = AddWire(0, 0, 100, 0);
    CElement* upper = AddWire(-50, 0, 100, 0);  // at the head, overlapping
    Click({20, 1});
    EXPECT_EQ(m_view->GetSelected(), upper);
    EXPECT_EQ(Pane(2), "(-50., 0.)  (50., 0.)");
    Click({90, 0});
    EXPECT_EQ(m_view->GetSelected(), lower);
    EXPECT_EQ(Pane(2), "(0., 0.)  (100., 0.)");

    // The selected wire is drawn in red.
    const QImage image = m_view->grab().toImage();
    const QPoint onWire = Client({80, 0});
    EXPECT_EQ(image.pixel(onWire), qRgb(255, 0, 0));

    Click({200, 200});
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    EXPECT_EQ(Pane(2), "\t\t\t\t\t");
}

TEST_F(CMouseEditingTest, PressPicksTheGrabbedEndByTheHalfItLiesIn) {
    AddWire(0, 0, 100, 0);
    Click({30, 1});
    EXPECT_EQ(m_view->GetGrabbedEnd(), GRAB_START);
    EXPECT_EQ(m_view->GetGrabOffset(), (CPoint{-30, -1}));
    Click({70, 0});
    EXPECT_EQ(m_view->GetGrabbedEnd(), GRAB_END);
}

TEST_F(CMouseEditingTest, DraggingSnapsTheGrabbedEndToAnotherWiresStart) {
    AddWire(-100, -100, 50, 0);
    CElement* dragged = AddWire(300, 0, 100, 0);
    // Grabbed at its start, the wire's start lands on the other start.
    Drag({310, 2}, {-95, -97});
    EXPECT_FLOAT_EQ(dragged->GetStartX(), -100);
    EXPECT_FLOAT_EQ(dragged->GetStartY(), -100);
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_EQ(Pane(2), "(-100., 100.)  (0., 100.)");

    // Grabbed at its end, the end lands there and the start follows.
    m_frame->Action(ID_WINDOW_NEW)->trigger();  // keeps nothing of the first view's state
    CQuadrellView* second = m_frame->ActiveView();
    ASSERT_NE(second, m_view);
    m_view = second;
    CElement* other = AddWire(300, 200, 100, 0);
    Drag({390, 200}, {-96, -104});
    EXPECT_FLOAT_EQ(other->GetEndX(), -100);
    EXPECT_FLOAT_EQ(other->GetEndY(), -100);
    EXPECT_FLOAT_EQ(other->GetStartX(), -200);
}

TEST_F(CMouseEditingTest, SourceDraggedOntoAWireEndSitsExactlyOnIt) {
    AddWire(0, 0, 100, 0);
    CElement* source = m_doc->AddElementAtTail(std::make_unique<CSource>(200, 150, 0, 1, 0));
    Drag({202, 151}, {104, 6});
    EXPECT_FLOAT_EQ(source->GetStartX(), 100);
    EXPECT_FLOAT_EQ(source->GetStartY(), 0);
}

TEST_F(CMouseEditingTest, SnapControlsSetTheModeAndItsStatusText) {
    m_catcher.OnDialog([](QWidget* dialog) {
        EXPECT_TRUE(dialog->findChild<QRadioButton*>("1017")->isChecked());
        dialog->findChild<QRadioButton*>("1018")->click();
        dialog->findChild<QPushButton*>("IDOK")->click();
    });
    m_frame->Action(ID_SNAP_CONTROLS)->trigger();
    EXPECT_EQ(m_view->GetSnapMode(), SNAP_OFF);
    EXPECT_EQ(Pane(1), "Snap Off");

    // With snapping off the drag is the mouse plus the grab offset.
    CElement* wire = AddWire(300, 0, 100, 0);
    AddWire(-100, -100, 50, 0);
    Drag({310, 2}, {-95, -97});
    EXPECT_FLOAT_EQ(wire->GetStartX(), -105);
    EXPECT_FLOAT_EQ(wire->GetStartY(), -99);

    // Cancel keeps the mode but still writes its text.
    m_catcher.OnDialog([](QWidget* dialog) {
        dialog->findChild<QRadioButton*>("1019")->click();
        dialog->findChild<QPushButton*>("IDCANCEL")->click();
    });
    m_frame->SetStatusPaneText(1, "x");
    m_frame->Action(ID_SNAP_CONTROLS)->trigger();
    EXPECT_EQ(m_view->GetSnapMode(), SNAP_OFF);
    EXPECT_EQ(Pane(1), "Snap Off");
}

TEST_F(CMouseEditingTest, DoubleClickEditsAWireAndDropsTheSelection) {
    CElement* wire = AddWire(0, 0, 100, 30);
    AnswerDialog({{"1003", "250"}}, false);
    DoubleClick({40, 23});
    EXPECT_EQ(m_view->GetSelected(), wire);
    EXPECT_FLOAT_EQ(wire->GetLength(), 100);

    AnswerDialog({{"1003", "250"}});
    DoubleClick({40, 23});
    EXPECT_FLOAT_EQ(wire->GetLength(), 250);
    EXPECT_FLOAT_EQ(wire->GetStartX(), 0);
    EXPECT_FLOAT_EQ(wire->GetAngle(), 30);
    EXPECT_NEAR(wire->GetEndX(), 216.506, 1e-3);
    EXPECT_EQ(m_view->GetSelected(), nullptr);

    // On empty space the press before has cleared the selection: no dialog.
    DoubleClick({-300, -200});
    EXPECT_EQ(m_catcher.PendingHandlers(), 0);
    EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
}

TEST_F(CMouseEditingTest, DoubleClickEditsASource) {
    CElement* source = m_doc->AddElementAtTail(std::make_unique<CSource>(10, 10, 0, 1, 0));
    AnswerDialog({{"1008", "3"}, {"1007", "45"}});
    DoubleClick({10, 10});
    EXPECT_FLOAT_EQ(source->GetMagnitude(), 3);
    EXPECT_FLOAT_EQ(source->GetPhase(), 45);
    EXPECT_EQ(m_view->GetSelected(), nullptr);
}

TEST_F(CMouseEditingTest, ADragEndsCleanlyWhenItsElementLeavesTheDesign) {
    CElement* wire = AddWire(0, 0, 100, 0);
    Press({50, 0});
    Move({60, 10});
    EXPECT_TRUE(m_view->IsDragging());
    // Another window on the design removes it in the middle of the drag.
    m_doc->RemoveElement(wire);
    m_doc->UpdateAllViews();
    EXPECT_EQ(m_view->GetSelected(), nullptr);
    Move({70, 20});
    Release({70, 20});
    EXPECT_FALSE(m_view->IsDragging());
    EXPECT_TRUE(Elements().empty());
}

TEST_F(CMouseEditingTest, EachViewKeepsItsOwnSelectionAndSnapMode) {
    CElement* wire = AddWire(0, 0, 100, 0);
    CQuadrellView* first = m_view;
    m_frame->Action(ID_WINDOW_NEW)->trigger();
    CQuadrellView* second = m_frame->ActiveView();
    m_view = second;
    Click({50, 0});
    EXPECT_EQ(second->GetSelected(), wire);
    EXPECT_EQ(first->GetSelected(), nullptr);
    m_catcher.OnDialog([](QWidget* dialog) {
        dialog->findChild<QRadioButton*>("1019")->click();
        dialog->findChild<QPushButton*>("IDOK")->click();
    });
    m_frame->Action(ID_SNAP_CONTROLS)->trigger();
    EXPECT_EQ(second->GetSnapMode(), SNAP_GRID);
    EXPECT_EQ(first->GetSnapMode(), SNAP_ALL);
}

TEST_F(CMouseEditingTest, ADipoleDrawnWithTheMouseBecomesADeck) {
    for (int x : {-100, 0}) {
        m_frame->Action(ID_PLACE_WIRE)->trigger();
        AnswerDialog({});
        Click({x, 0});
    }
    m_frame->Action(ID_PLACE_SOURCE)->trigger();
    AnswerDialog({});
    Click({0, 0});

    QTemporaryDir folder;
    m_catcher.OnDialog([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("1010")->setText("14.2");
        dialog->findChild<QPushButton*>("IDOK")->click();
    });
    m_catcher.OnDialog([](QWidget* dialog) { dialog->findChild<QPushButton*>("IDOK")->click(); });
    m_catcher.OnDialog([&folder](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        dialog->setDirectory(folder.path());
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText("dipole");
        QTest::keyClick(name, Qt::Key_Return);
    });
    m_frame->Action(ID_GENERATE_INPUT_FILE)->trigger();

    EXPECT_EQ(m_catcher.Messages(), QStringList{"NEC File Created"});
    EXPECT_FLOAT_EQ(m_view->GetLastFrequency(), 14.2f);
    QFile deck(folder.filePath("dipole.in"));
    ASSERT_TRUE(deck.open(QIODevice::ReadOnly));
    EXPECT_EQ(deck.readAll().toStdString(),
              "CM NEC2D Input File Generated by Quadrell\r\n"
              "CE\r\n"
              "GW 1 5. 0. 0. 0. 100. 0. 0. 5.e-003\r\n"
              "GW 2 5. -100. 0. 0. 0. 0. 0. 5.e-003\r\n"
              "GE\r\n"
              "EX 0 1 1 00 1. 0. 0 0 0 0\r\n"
              "FR 0 0 0 0 14.200 0.000 0 0 0 0\r\n"
              "RP 0 19 37 0000 0.000 0.000 10.000 10.000\r\n"
              "EN");
}

}  // namespace
