#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <ostream>
#include <string>

#include "editor/SourcePropertiesDialog.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalCatcher.h"

namespace {

constexpr int kPhase = 1007;
constexpr int kMagnitude = 1008;

const QString kNumber = "Please enter a number.";
const QString kPhaseRange = "Please enter a number between -180 and 180.";

class SourceDialogTest : public testing::Test {
  protected:
    // Shows the dialog modally with the values of a new source; `act` runs
    // while it is open and must close it.
    int Run(const std::function<void()>& act) { return RunModal(m_dialog, m_catcher, act); }

    CModalCatcher m_catcher;
    CSourcePropertiesDialog m_dialog{1.0f, 0.0f, nullptr};
};

TEST_F(SourceDialogTest, ShowsTheValuesAndEnterAcceptsThem) {
    const int result = Run([this] {
        EXPECT_EQ(m_dialog.windowTitle(), "Source Properties");
        EXPECT_EQ(Field(m_dialog, kMagnitude)->text(), "1");
        EXPECT_EQ(Field(m_dialog, kPhase)->text(), "0");
        QWidget* focus = m_dialog.focusWidget();
        EXPECT_EQ(focus, Button(m_dialog, "IDOK"));
        QTest::keyClick(focus, Qt::Key_Enter);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_dialog.m_magnitude, 1.0f);
    EXPECT_EQ(m_dialog.m_phase, 0.0f);
}

TEST_F(SourceDialogTest, LaidOutInTemplateOrderWithCentredLabels) {
    EXPECT_EQ(Button(m_dialog, "IDOK")->nextInFocusChain(), Button(m_dialog, "IDCANCEL"));
    EXPECT_EQ(Button(m_dialog, "IDCANCEL")->nextInFocusChain(), Field(m_dialog, kMagnitude));
    EXPECT_EQ(Field(m_dialog, kMagnitude)->nextInFocusChain(), Field(m_dialog, kPhase));
    for (QLabel* label : m_dialog.findChildren<QLabel*>()) {
        QLineEdit* field = Field(m_dialog, label->text() == "Phase" ? kPhase : kMagnitude);
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
        EXPECT_LE(label->geometry().bottom(), field->geometry().top());
        EXPECT_LE(std::abs(label->geometry().left() - field->geometry().left()), 1);
    }
    EXPECT_EQ(m_dialog.findChildren<QLabel*>().size(), 2);
}

struct EntryCase {
    std::string name;
    QString magnitude;
    QString phase;
    QString message;  // empty when accepted
    int focusField;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class SourceDialogEntryTest : public SourceDialogTest,
                              public testing::WithParamInterface<EntryCase> {};

TEST_P(SourceDialogEntryTest, AcceptsOrRefusesTheEntries) {
    const EntryCase& c = GetParam();
    QWidget* focusAfterRefusal = nullptr;
    const int result = Run([&] {
        Retype(Field(m_dialog, kMagnitude), c.magnitude);
        Retype(Field(m_dialog, kPhase), c.phase);
        Button(m_dialog, "IDOK")->click();
        if (!m_dialog.isVisible()) return;
        focusAfterRefusal = m_dialog.focusWidget();
        QTest::keyClick(focusAfterRefusal, Qt::Key_Escape);
    });
    if (c.message.isEmpty()) {
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_TRUE(m_catcher.Messages().isEmpty());
        EXPECT_EQ(m_dialog.m_magnitude, c.magnitude.toFloat());
        EXPECT_EQ(m_dialog.m_phase, c.phase.toFloat());
    } else {
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(m_catcher.Messages(), QStringList{c.message});
        EXPECT_EQ(focusAfterRefusal, Field(m_dialog, c.focusField));
        EXPECT_EQ(m_dialog.m_magnitude, 1.0f);
        EXPECT_EQ(m_dialog.m_phase, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SourceDialogEntryTest,
    testing::Values(EntryCase{"PhaseUpperBound", "2", "180", {}, 0},
                    EntryCase{"PhaseLowerBound", "2", "-180", {}, 0},
                    EntryCase{"ZeroAndNegativeMagnitude", "-3.5", "45", {}, 0},
                    EntryCase{"PhaseTooLarge", "2", "181", kPhaseRange, kPhase},
                    EntryCase{"PhaseTooSmall", "2", "-180.5", kPhaseRange, kPhase},
                    EntryCase{"MagnitudeNotANumber", "x", "90", kNumber, kMagnitude},
                    EntryCase{"MagnitudeReadFirst", "1..2", "y", kNumber, kMagnitude},
                    EntryCase{"PhaseNotANumber", "1", "9 0", kNumber, kPhase}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST_F(SourceDialogTest, CloseBoxLeavesTheGivenValues) {
    const int result = Run([this] {
        Retype(Field(m_dialog, kMagnitude), "4");
        Retype(Field(m_dialog, kPhase), "-90");
        m_dialog.close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_dialog.m_magnitude, 1.0f);
    EXPECT_EQ(m_dialog.m_phase, 0.0f);
}

}  // namespace
