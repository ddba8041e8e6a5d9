#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

#include "editor/WirePropertiesDialog.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalCatcher.h"

namespace {

constexpr int kLength = 1003;
constexpr int kRadius = 1004;
constexpr int kSegments = 1005;
constexpr int kAngle = 1006;

class WireDialogTest : public testing::Test {
  protected:
    // Shows the dialog modally with the values of a new wire; `act` runs
    // while it is open and must close it.
    int Run(const std::function<void()>& act) { return RunModal(m_dialog, m_catcher, act); }

    void ExpectGivenValues() const {
        EXPECT_EQ(m_dialog.m_length, 100.0f);
        EXPECT_EQ(m_dialog.m_radius, 0.005f);
        EXPECT_EQ(m_dialog.m_segments, 5.0f);
        EXPECT_EQ(m_dialog.m_angle, 0.0f);
    }

    CModalCatcher m_catcher;
    CWirePropertiesDialog m_dialog{100.0f, 0.005f, 5.0f, 0.0f, nullptr};
};

TEST_F(WireDialogTest, NewWireShowsItsDefaultsAndEnterAcceptsThem) {
    const int result = Run([this] {
        EXPECT_EQ(m_dialog.windowTitle(), "Properties of Wire");
        EXPECT_EQ(Field(m_dialog, kLength)->text(), "100");
        EXPECT_EQ(Field(m_dialog, kSegments)->text(), "5");
        EXPECT_EQ(Field(m_dialog, kRadius)->text(), "0.005");
        EXPECT_EQ(Field(m_dialog, kAngle)->text(), "0");
        QWidget* focus = m_dialog.focusWidget();
        EXPECT_EQ(focus, Button(m_dialog, "IDOK"));
        QTest::keyClick(focus, Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ExpectGivenValues();
    EXPECT_TRUE(m_catcher.Messages().isEmpty());
}

TEST_F(WireDialogTest, LaidOutInTemplateOrderWithCentredFields) {
    QWidget* expectedChain[] = {Button(m_dialog, "IDOK"), Button(m_dialog, "IDCANCEL"),
                                Field(m_dialog, kLength), Field(m_dialog, kSegments),
                                Field(m_dialog, kRadius), Field(m_dialog, kAngle)};
    for (int i = 0; i + 1 < 6; ++i)
        EXPECT_EQ(expectedChain[i]->nextInFocusChain(), expectedChain[i + 1]);

    const std::pair<const char*, int> labels[] = {
        {"Length", kLength}, {"Segments", kSegments}, {"Radius", kRadius}, {"Angle", kAngle}};
    const QList<QLabel*> found = m_dialog.findChildren<QLabel*>();
    ASSERT_EQ(found.size(), 4);
    for (const auto& [text, id] : labels) {
        QLineEdit* field = Field(m_dialog, id);
        EXPECT_TRUE(field->alignment() & Qt::AlignHCenter) << text;
        const auto label =
            std::find_if(found.begin(), found.end(), [&](QLabel* l) { return l->text() == text; });
        ASSERT_NE(label, found.end()) << text;
        // Each label sits just above its own field.
        EXPECT_EQ((*label)->geometry().left(), field->geometry().left()) << text;
        EXPECT_LE((*label)->geometry().bottom(), field->geometry().top()) << text;
    }
}

struct EntryCase {
    std::string name;
    int field;
    QString text;
    bool accepted;
    QString message;  // when refused
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

float Member(const CWirePropertiesDialog& dialog, int field) {
    switch (field) {
        case kLength:
            return dialog.m_length;
        case kRadius:
            return dialog.m_radius;
        case kSegments:
            return dialog.m_segments;
        default:
            return dialog.m_angle;
    }
}

const QString kNumber = "Please enter a number.";
const QString kAngleRange = "Please enter a number between 0 and 360.";

class WireDialogEntryTest : public WireDialogTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(WireDialogEntryTest, AcceptsOrRefusesTheEntry) {
    const EntryCase& c = GetParam();
    bool stayedOpen = false;
    QWidget* focusAfterRefusal = nullptr;
    const int result = Run([&] {
        Retype(Field(m_dialog, c.field), c.text);
        Button(m_dialog, "IDOK")->click();
        if (!m_dialog.isVisible()) return;
        stayedOpen = true;
        focusAfterRefusal = m_dialog.focusWidget();
        Button(m_dialog, "IDCANCEL")->click();
    });
    if (c.accepted) {
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_TRUE(m_catcher.Messages().isEmpty());
        EXPECT_EQ(Member(m_dialog, c.field), c.text.trimmed().toFloat());
    } else {
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(m_catcher.Messages(), QStringList{c.message});
        EXPECT_EQ(focusAfterRefusal, Field(m_dialog, c.field));
        EXPECT_EQ(result, QDialog::Rejected);
        ExpectGivenValues();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, WireDialogEntryTest,
    testing::Values(EntryCase{"Angle360", kAngle, "360", true, {}},
                    EntryCase{"Angle0", kAngle, "0", true, {}},
                    EntryCase{"AngleJustAbove360", kAngle, "360.5", false, kAngleRange},
                    EntryCase{"AngleBelowZero", kAngle, "-1", false, kAngleRange},
                    EntryCase{"AngleEmpty", kAngle, "", false, kNumber},
                    EntryCase{"LengthNotANumber", kLength, "abc", false, kNumber},
                    EntryCase{"LengthZero", kLength, "0", true, {}},
                    EntryCase{"LengthWithBlanks", kLength, " 250 ", true, {}},
                    EntryCase{"RadiusNegative", kRadius, "-1", true, {}},
                    EntryCase{"RadiusTrailingText", kRadius, "0.01m", false, kNumber},
                    EntryCase{"SegmentsTyped", kSegments, "12", true, {}}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST_F(WireDialogTest, ReadsRadiusBeforeSegmentsThoughSegmentsComesFirstOnScreen) {
    QStringList messagesAfterFirstOk;
    QWidget* firstFocus = nullptr;
    QWidget* secondFocus = nullptr;
    Run([&] {
        Field(m_dialog, kSegments)->setText("x");  // pasted, not typed
        Retype(Field(m_dialog, kRadius), "abc");
        Button(m_dialog, "IDOK")->click();
        messagesAfterFirstOk = m_catcher.Messages();
        firstFocus = m_dialog.focusWidget();
        Retype(Field(m_dialog, kRadius), "0.01");
        Button(m_dialog, "IDOK")->click();
        secondFocus = m_dialog.focusWidget();
        Button(m_dialog, "IDCANCEL")->click();
    });
    EXPECT_EQ(messagesAfterFirstOk, QStringList{kNumber});
    EXPECT_EQ(firstFocus, Field(m_dialog, kRadius));
    EXPECT_EQ(m_catcher.Messages(), (QStringList{kNumber, kNumber}));
    EXPECT_EQ(secondFocus, Field(m_dialog, kSegments));
}

TEST_F(WireDialogTest, RefusedOkThenCancelKeepsEveryGivenValue) {
    const int result = Run([&] {
        Retype(Field(m_dialog, kLength), "250");
        Retype(Field(m_dialog, kRadius), "0.5");
        Retype(Field(m_dialog, kAngle), "400");
        Button(m_dialog, "IDOK")->click();
        Button(m_dialog, "IDCANCEL")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_catcher.Messages(), QStringList{kAngleRange});
    ExpectGivenValues();
}

TEST_F(WireDialogTest, AllFieldsReadTogetherAfterACorrection) {
    const int result = Run([&] {
        Retype(Field(m_dialog, kLength), "250");
        Retype(Field(m_dialog, kSegments), "9");
        Retype(Field(m_dialog, kRadius), "0.02");
        Retype(Field(m_dialog, kAngle), "361");
        Button(m_dialog, "IDOK")->click();
        // Enter in the refused field itself accepts once it is right.
        QLineEdit* angle = Field(m_dialog, kAngle);
        Retype(angle, "45");
        QTest::keyClick(angle, Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(m_dialog.m_length, 250.0f);
    EXPECT_EQ(m_dialog.m_radius, 0.02f);
    EXPECT_EQ(m_dialog.m_segments, 9.0f);
    EXPECT_EQ(m_dialog.m_angle, 45.0f);
}

enum class CloseBy { CancelButton, Escape, CloseBox };

class WireDialogCancelTest : public WireDialogTest, public testing::WithParamInterface<CloseBy> {};

TEST_P(WireDialogCancelTest, LeavesTheGivenValues) {
    const int result = Run([&] {
        Retype(Field(m_dialog, kLength), "7");
        Retype(Field(m_dialog, kSegments), "3");
        Retype(Field(m_dialog, kRadius), "0.1");
        Retype(Field(m_dialog, kAngle), "90");
        switch (GetParam()) {
            case CloseBy::CancelButton:
                Button(m_dialog, "IDCANCEL")->click();
                break;
            case CloseBy::Escape:
                QTest::keyClick(Field(m_dialog, kAngle), Qt::Key_Escape);
                break;
            case CloseBy::CloseBox:
                m_dialog.close();
                break;
        }
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ExpectGivenValues();
}

INSTANTIATE_TEST_SUITE_P(Ways, WireDialogCancelTest,
                         testing::Values(CloseBy::CancelButton, CloseBy::Escape,
                                         CloseBy::CloseBox));

TEST_F(WireDialogTest, SegmentsTakeOnlyTypedDigits) {
    QString segmentsText;
    QString lengthText;
    Run([&] {
        QLineEdit* segments = Field(m_dialog, kSegments);
        Retype(segments, "-1.5e+x2");
        segmentsText = segments->text();
        // Editing keys and shortcuts still work.
        QTest::keyClick(segments, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(segments, Qt::Key_Backspace);
        QTest::keyClicks(segments, "-.7");
        QLineEdit* length = Field(m_dialog, kLength);
        Retype(length, "-2.5");
        lengthText = length->text();
        Button(m_dialog, "IDOK")->click();
    });
    EXPECT_EQ(segmentsText, "152");
    EXPECT_EQ(lengthText, "-2.5");
    EXPECT_EQ(m_dialog.m_segments, 7.0f);
    EXPECT_EQ(m_dialog.m_length, -2.5f);
}

TEST(WireDialog, ShowsAndKeepsASegmentCountWithAFraction) {
    // A wire read from a deck may carry a fractional segment count.
    CWirePropertiesDialog dialog(50.5f, 0.001f, 7.9f, 270.0f, nullptr);
    CModalCatcher catcher;
    QString shown;
    catcher.OnDialog([&](QWidget*) {
        QLineEdit* segments = Field(dialog, kSegments);
        shown = segments->text();
        segments->setFocus();
        segments->end(false);
        QTest::keyClicks(segments, "-.");
        QTest::keyClick(segments, Qt::Key_Return);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(shown, "7.9");
    EXPECT_EQ(dialog.m_segments, 7.9f);
    EXPECT_EQ(dialog.m_length, 50.5f);
    EXPECT_EQ(dialog.m_angle, 270.0f);
}

}  // namespace
