#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "editor/SnapControlDialog.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalCatcher.h"

namespace {

QRadioButton* Radio(QDialog& dialog, const QString& text) {
    for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
        if (radio->text() == text) return radio;
    }
    return nullptr;
}

// A user's click lands on the button's circle.
void ClickRadio(QDialog& dialog, const QString& text) {
    QRadioButton* radio = Radio(dialog, text);
    ASSERT_NE(radio, nullptr) << text.toStdString();
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
}

QStringList CheckedTexts(QDialog& dialog) {
    QStringList checked;
    for (QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
        if (radio->isChecked()) checked << radio->text();
    }
    return checked;
}

int RunModal(CSnapControlDialog& dialog, const std::function<void()>& act) {
    CModalCatcher catcher;
    return RunModal(dialog, catcher, act);
}

TEST(SnapControlDialog, ChecksTheButtonOfTheModeItIsGiven) {
    const std::pair<int, QString> cases[] = {{SNAP_ALL, "Snap to All"},
                                             {SNAP_OFF, "Snap Off"},
                                             {SNAP_GRID, "Snap to Grid"},
                                             {SNAP_ELEMENT, "Snap to Element"},
                                             {7, "Snap Off"}};
    for (const auto& [mode, text] : cases) {
        CSnapControlDialog dialog(nullptr);
        dialog.m_snapMode = mode;
        QStringList checked;
        QWidget* focus = nullptr;
        const int result = RunModal(dialog, [&] {
            checked = CheckedTexts(dialog);
            focus = dialog.focusWidget();
            QTest::keyClick(focus, Qt::Key_Return);
        });
        EXPECT_EQ(checked, QStringList{text}) << mode;
        EXPECT_EQ(focus, Button(dialog, "IDOK")) << mode;
        EXPECT_EQ(result, QDialog::Accepted) << mode;
        EXPECT_EQ(dialog.m_snapMode, mode);
        EXPECT_EQ(dialog.windowTitle(), "Snap Control");
    }
}

TEST(SnapControlDialog, ModeFollowsEachClickAtOnce) {
    CSnapControlDialog dialog(nullptr);
    dialog.m_snapMode = SNAP_ALL;
    QList<int> modes;
    const int result = RunModal(dialog, [&] {
        for (const char* text :
             {"Snap Off", "Snap to Grid", "Snap to Element", "Snap to All", "Snap to Element"}) {
            ClickRadio(dialog, text);
            modes << dialog.m_snapMode;
            EXPECT_EQ(CheckedTexts(dialog), QStringList{text});
        }
        Button(dialog, "IDOK")->click();
    });
    EXPECT_EQ(modes, (QList<int>{SNAP_OFF, SNAP_GRID, SNAP_ELEMENT, SNAP_ALL, SNAP_ELEMENT}));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.m_snapMode, SNAP_ELEMENT);
}

TEST(SnapControlDialog, CancelAfterAClickKeepsTheGivenMode) {
    for (const bool byEscape : {false, true}) {
        CSnapControlDialog dialog(nullptr);
        dialog.m_snapMode = SNAP_GRID;
        const int result = RunModal(dialog, [&] {
            ClickRadio(dialog, "Snap to Element");
            EXPECT_EQ(dialog.m_snapMode, SNAP_ELEMENT);
            if (byEscape) {
                QTest::keyClick(dialog.focusWidget(), Qt::Key_Escape);
            } else {
                Button(dialog, "IDCANCEL")->click();
            }
        });
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(dialog.m_snapMode, SNAP_GRID) << byEscape;
    }
}

TEST(SnapControlDialog, TabMovesBetweenTheButtonsOnly) {
    CSnapControlDialog dialog(nullptr);
    dialog.m_snapMode = SNAP_OFF;
    QWidget* afterOneTab = nullptr;
    QWidget* afterTwoTabs = nullptr;
    RunModal(dialog, [&] {
        dialog.activateWindow();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        afterOneTab = dialog.focusWidget();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        afterTwoTabs = dialog.focusWidget();
        Button(dialog, "IDCANCEL")->click();
    });
    EXPECT_EQ(afterOneTab, Button(dialog, "IDCANCEL"));
    EXPECT_EQ(afterTwoTabs, Button(dialog, "IDOK"));
}

}  // namespace
