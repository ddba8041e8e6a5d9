#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "editor/RadiationPatternProperties.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalCatcher.h"

namespace {

enum Id {
    kMode = 1011,
    kNTheta = 1012,
    kOutputFormat = 1013,
    kNormalization = 1014,
    kNPhi = 1015,
    kGain = 1016,
    kAveraging = 1017,
    kThetaStart = 1018,
    kPhiStart = 1019,
    kThetaStep = 1020,
    kPhiStep = 1021,
};

// The dialog as the deck command shows it.
class PatternDialogTest : public testing::Test {
  protected:
    // `act` runs while the dialog is open and must close it.
    int Run(const std::function<void()>& act) { return RunModal(m_dialog, m_catcher, act); }

    CModalCatcher m_catcher;
    CRadiationPatternProperties m_dialog{0, 19, 37, 0, 0, 0, 0, 0.0f, 0.0f, 10.0f, 10.0f};
};

TEST_F(PatternDialogTest, ShowsTheDefaultsInTemplateOrder) {
    const int order[] = {kMode,      kNTheta,     kNPhi,     kOutputFormat, kNormalization, kGain,
                         kAveraging, kThetaStart, kPhiStart, kThetaStep,    kPhiStep};
    const char* texts[] = {"0", "19", "37", "0", "0", "0", "0", "0", "0", "10", "10"};
    QStringList shown;
    const int result = Run([&] {
        for (int id : order) shown << Field(m_dialog, id)->text();
        EXPECT_EQ(m_dialog.focusWidget(), Button(m_dialog, "IDOK"));
        QTest::keyClick(m_dialog.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(shown.value(i), texts[i]) << order[i];
    EXPECT_EQ(m_dialog.windowTitle(), "Far Field Pattern Properties");

    QWidget* widget = Button(m_dialog, "IDOK");
    EXPECT_EQ(widget->nextInFocusChain(), Button(m_dialog, "IDCANCEL"));
    widget = widget->nextInFocusChain();
    for (int id : order) {
        widget = widget->nextInFocusChain();
        EXPECT_EQ(widget, Field(m_dialog, id)) << id;
    }
    QStringList labels;
    for (QLabel* label : m_dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels,
              (QStringList{"Mode", "Number of Theta Steps", "Number of Phi Steps", "Output Format",
                           "Normalization", "Gain", "Averaging", "Initial Theta Value",
                           "Initial Phi Value", "Theta Increment", "Phi Increment"}));

    const PatternSettings& s = m_dialog.Settings();
    EXPECT_EQ(s.m_nTheta, 19);
    EXPECT_EQ(s.m_nPhi, 37);
    EXPECT_EQ(s.m_thetaStep, 10.0f);
    EXPECT_EQ(s.m_phiStep, 10.0f);
    EXPECT_EQ(s.m_mode, 0);
}

TEST_F(PatternDialogTest, ReadsEveryFieldOnOk) {
    const int result = Run([&] {
        const std::pair<int, const char*> entries[] = {
            {kMode, "6"},          {kNTheta, "0"},     {kNPhi, "-4"},     {kOutputFormat, "1"},
            {kNormalization, "5"}, {kGain, "1"},       {kAveraging, "2"}, {kThetaStart, "-90"},
            {kPhiStart, "45.5"},   {kThetaStep, "-5"}, {kPhiStep, "0"}};
        for (const auto& [id, text] : entries) Retype(Field(m_dialog, id), text);
        Button(m_dialog, "IDOK")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(m_catcher.Messages().isEmpty());
    const PatternSettings& s = m_dialog.Settings();
    EXPECT_EQ(s.m_mode, 6);
    EXPECT_EQ(s.m_nTheta, 0);
    EXPECT_EQ(s.m_nPhi, -4);
    EXPECT_EQ(s.m_outputFormat, 1);
    EXPECT_EQ(s.m_normalization, 5);
    EXPECT_EQ(s.m_gain, 1);
    EXPECT_EQ(s.m_averaging, 2);
    EXPECT_EQ(s.m_thetaStart, -90.0f);
    EXPECT_EQ(s.m_phiStart, 45.5f);
    EXPECT_EQ(s.m_thetaStep, -5.0f);
    EXPECT_EQ(s.m_phiStep, 0.0f);
}

TEST(PatternDialog, RefusesOutOfRangeDigitsAndBadTextAndFocusesTheField) {
    const struct {
        int id;
        const char* text;
        QString message;
    } cases[] = {
        {kMode, "7", "Please enter an integer between 0 and 6."},
        {kMode, "-1", "Please enter an integer between 0 and 6."},
        {kGain, "2", "Please enter an integer between 0 and 1."},
        {kAveraging, "3", "Please enter an integer between 0 and 2."},
        {kNormalization, "6", "Please enter an integer between 0 and 5."},
        {kOutputFormat, "2", "Please enter an integer between 0 and 1."},
        {kMode, "1.5", "Please enter an integer."},
        {kNTheta, "many", "Please enter an integer."},
        {kNPhi, "", "Please enter an integer."},
        {kThetaStart, "abc", "Please enter a number."},
        {kPhiStep, "1e", "Please enter a number."},
    };
    for (const auto& c : cases) {
        CModalCatcher catcher;
        CRadiationPatternProperties dialog(0, 19, 37, 0, 0, 0, 0, 0.0f, 0.0f, 10.0f, 10.0f);
        bool open = false;
        QWidget* focus = nullptr;
        catcher.OnDialog([&](QWidget*) {
            Retype(Field(dialog, c.id), c.text);
            Button(dialog, "IDOK")->click();
            open = dialog.isVisible();
            focus = dialog.focusWidget();
            Button(dialog, "IDCANCEL")->click();
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_TRUE(open) << c.id << " " << c.text;
        EXPECT_EQ(catcher.Messages(), QStringList{c.message}) << c.id << " " << c.text;
        EXPECT_EQ(focus, Field(dialog, c.id)) << c.id << " " << c.text;
    }
}

// Averaging, gain and mode are read before the fields shown above them.
TEST_F(PatternDialogTest, ReadsInDataExchangeOrderAndKeepsTheValuesUntilAllPass) {
    QWidget* focus[3] = {};
    const int result = Run([&] {
        Retype(Field(m_dialog, kMode), "9");
        Retype(Field(m_dialog, kNTheta), "x");
        Retype(Field(m_dialog, kAveraging), "5");
        Retype(Field(m_dialog, kThetaStep), "2.5");
        Button(m_dialog, "IDOK")->click();
        focus[0] = m_dialog.focusWidget();
        Retype(Field(m_dialog, kAveraging), "1");
        Button(m_dialog, "IDOK")->click();
        focus[1] = m_dialog.focusWidget();
        Retype(Field(m_dialog, kMode), "3");
        Button(m_dialog, "IDOK")->click();
        focus[2] = m_dialog.focusWidget();
        Button(m_dialog, "IDCANCEL")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(m_catcher.Messages(), (QStringList{"Please enter an integer between 0 and 2.",
                                                 "Please enter an integer between 0 and 6.",
                                                 "Please enter an integer."}));
    EXPECT_EQ(focus[0], Field(m_dialog, kAveraging));
    EXPECT_EQ(focus[1], Field(m_dialog, kMode));
    EXPECT_EQ(focus[2], Field(m_dialog, kNTheta));
    // Nothing read by a refused OK is kept.
    EXPECT_EQ(m_dialog.Settings().m_averaging, 0);
    EXPECT_EQ(m_dialog.Settings().m_mode, 0);
    EXPECT_EQ(m_dialog.Settings().m_thetaStep, 10.0f);
}

}  // namespace
