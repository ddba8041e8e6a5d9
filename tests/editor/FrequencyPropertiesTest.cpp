#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>

#include "editor/FrequencyProperties.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ModalCatcher.h"

namespace {

constexpr int kSteps = 1009;
constexpr int kFrequency = 1010;
constexpr int kIncrement = 1011;
constexpr int kWavelength = 1012;

TEST(FrequencyProperties, ANewViewOffersOneMegahertzAndEnterAcceptsIt) {
    CModalCatcher catcher;
    CFrequencyProperties dialog(0, 1.0f, 0.0f);
    const int result = RunModal(dialog, catcher, [&] {
        EXPECT_EQ(dialog.windowTitle(), "Frequency Properties");
        EXPECT_EQ(Field(dialog, kFrequency)->text(), "1");
        EXPECT_EQ(Field(dialog, kSteps)->text(), "0");
        EXPECT_EQ(Field(dialog, kIncrement)->text(), "0");
        EXPECT_EQ(Field(dialog, kWavelength)->text(), "300");
        EXPECT_TRUE(Field(dialog, kWavelength)->isReadOnly());
        EXPECT_FALSE(Field(dialog, kWavelength)->isEnabled());
        EXPECT_EQ(dialog.focusWidget(), Button(dialog, "IDOK"));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.Settings().m_frequency, 1.0f);
    EXPECT_EQ(dialog.Settings().m_nSteps, 0);
    EXPECT_EQ(dialog.Settings().m_increment, 0.0f);
    EXPECT_TRUE(catcher.Messages().isEmpty());
}

TEST(FrequencyProperties, ControlsComeInTemplateOrder) {
    CFrequencyProperties dialog(0, 1.0f, 0.0f);
    QWidget* chain[] = {Button(dialog, "IDOK"),    Button(dialog, "IDCANCEL"),
                        Field(dialog, kFrequency), Field(dialog, kSteps),
                        Field(dialog, kIncrement), Field(dialog, kWavelength),
                        Button(dialog, "1018")};
    for (int i = 0; i + 1 < 7; ++i) {
        QWidget* next = chain[i]->nextInFocusChain();
        while (qobject_cast<QLabel*>(next)) next = next->nextInFocusChain();
        EXPECT_EQ(next, chain[i + 1]) << i;
    }
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels,
              (QStringList{"Initial Frequency in MHz", "Number of Steps (0 means single Frequency)",
                           "Increment per Step (MHz)", "Wavelength in Meters"}));
    EXPECT_EQ(Button(dialog, "1018")->text(), "Calculate");
    // The three entry fields stand in one row, the wavelength below the first.
    const QRect frequency = Field(dialog, kFrequency)->geometry();
    EXPECT_EQ(Field(dialog, kSteps)->geometry().top(), frequency.top());
    EXPECT_LT(frequency.right(), Field(dialog, kSteps)->geometry().left());
    EXPECT_EQ(Field(dialog, kWavelength)->geometry().left(), frequency.left());
    EXPECT_GT(Field(dialog, kWavelength)->geometry().top(), frequency.bottom());
}

TEST(FrequencyProperties, CalculateShowsTheWavelengthAndKeepsTheDialogOpen) {
    const struct {
        const char* frequency;
        const char* wavelength;
    } cases[] = {{"14.2", "21.1268"}, {"0", ""}, {"-7.1", "-42.2535"}, {"3e-40", ""}};
    for (const auto& c : cases) {
        CModalCatcher catcher;
        CFrequencyProperties dialog(2, 1.0f, 0.5f);
        QString shown;
        bool open = false;
        const int result = RunModal(dialog, catcher, [&] {
            Retype(Field(dialog, kFrequency), c.frequency);
            Button(dialog, "1018")->click();
            shown = Field(dialog, kWavelength)->text();
            open = dialog.isVisible();
            Button(dialog, "IDOK")->click();
        });
        EXPECT_TRUE(open) << c.frequency;
        EXPECT_EQ(shown, c.wavelength) << c.frequency;
        // An empty wavelength never blocks OK.
        EXPECT_EQ(result, QDialog::Accepted) << c.frequency;
        EXPECT_EQ(dialog.Settings().m_nSteps, 2);
        EXPECT_EQ(dialog.Settings().m_increment, 0.5f);
        EXPECT_TRUE(catcher.Messages().isEmpty()) << c.frequency;
    }
}

TEST(FrequencyProperties, AZeroFrequencyFromTheViewShowsNoWavelength) {
    CModalCatcher catcher;
    CFrequencyProperties dialog(0, 0.0f, 0.0f);
    QString shown;
    EXPECT_EQ(RunModal(dialog, catcher,
                       [&] {
                           shown = Field(dialog, kWavelength)->text();
                           Button(dialog, "IDOK")->click();
                       }),
              QDialog::Accepted);
    EXPECT_EQ(shown, "");
    EXPECT_EQ(dialog.Settings().m_frequency, 0.0f);
}

// Calculate stops at the first bad field in the order steps, increment,
// frequency, then shows the stored values again.
TEST(FrequencyProperties, CalculateStopsAtTheFirstBadField) {
    const struct {
        const char *steps, *increment, *frequency;
        QString message;
        int focus;
        const char *stepsShown, *incrementShown, *frequencyShown, *wavelengthShown;
    } cases[] = {
        {"x", "0.1", "14.2", "Please enter an integer.", kSteps, "0", "0", "1", "300"},
        {"3", "abc", "14.2", "Please enter a number.", kIncrement, "3", "0", "1", "300"},
        {"3", "0.1", "", "Please enter a number.", kFrequency, "3", "0.1", "1", "300"},
        {" 3 ", "0.05", "15", "", 0, "3", "0.05", "15", "20"},
    };
    for (const auto& c : cases) {
        CModalCatcher catcher;
        CFrequencyProperties dialog(0, 1.0f, 0.0f);
        QString shown[4];
        QWidget* focus = nullptr;
        RunModal(dialog, catcher, [&] {
            Retype(Field(dialog, kSteps), c.steps);
            Retype(Field(dialog, kIncrement), c.increment);
            Retype(Field(dialog, kFrequency), c.frequency);
            Button(dialog, "1018")->click();
            focus = dialog.focusWidget();
            int i = 0;
            for (int id : {kSteps, kIncrement, kFrequency, kWavelength}) {
                shown[i++] = Field(dialog, id)->text();
            }
            Button(dialog, "IDCANCEL")->click();
        });
        const std::string name = std::string(c.steps) + "/" + c.increment + "/" + c.frequency;
        EXPECT_EQ(catcher.Messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << name;
        if (c.focus) {
            EXPECT_EQ(focus, Field(dialog, c.focus)) << name;
        }
        EXPECT_EQ(shown[0], c.stepsShown) << name;
        EXPECT_EQ(shown[1], c.incrementShown) << name;
        EXPECT_EQ(shown[2], c.frequencyShown) << name;
        EXPECT_EQ(shown[3], c.wavelengthShown) << name;
    }
}

TEST(FrequencyProperties, OkRefusesABadFieldAndFocusesIt) {
    const struct {
        const char *steps, *increment, *frequency;
        QString message;
        int focus;
    } cases[] = {
        {"1.5", "0", "1", "Please enter an integer.", kSteps},
        {"", "0", "1", "Please enter an integer.", kSteps},
        {"99999999999", "0", "1", "Please enter an integer.", kSteps},
        {"0", "0,05", "1", "Please enter a number.", kIncrement},
        {"0", "0", "14.2 MHz", "Please enter a number.", kFrequency},
        {"x", "0", "y", "Please enter an integer.", kSteps},  // the first in order
    };
    for (const auto& c : cases) {
        CModalCatcher catcher;
        CFrequencyProperties dialog(4, 7.1f, 0.25f);
        bool open = false;
        QWidget* focus = nullptr;
        const int result = RunModal(dialog, catcher, [&] {
            Retype(Field(dialog, kSteps), c.steps);
            Retype(Field(dialog, kIncrement), c.increment);
            Retype(Field(dialog, kFrequency), c.frequency);
            Button(dialog, "IDOK")->click();
            open = dialog.isVisible();
            focus = dialog.focusWidget();
            Button(dialog, "IDCANCEL")->click();
        });
        EXPECT_TRUE(open) << c.steps << c.increment << c.frequency;
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(catcher.Messages(), QStringList{c.message}) << c.steps << c.frequency;
        EXPECT_EQ(focus, Field(dialog, c.focus)) << c.steps << c.increment << c.frequency;
        EXPECT_EQ(dialog.Settings().m_nSteps, 4);
        EXPECT_EQ(dialog.Settings().m_frequency, 7.1f);
    }
}

TEST(FrequencyProperties, NoOtherCheckIsMade) {
    CModalCatcher catcher;
    CFrequencyProperties dialog(0, 1.0f, 0.0f);
    const int result = RunModal(dialog, catcher, [&] {
        Retype(Field(dialog, kSteps), "-3");
        Retype(Field(dialog, kIncrement), "-0.5");
        Retype(Field(dialog, kFrequency), "-14.25");
        QTest::keyClick(Field(dialog, kFrequency), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.Settings().m_nSteps, -3);
    EXPECT_EQ(dialog.Settings().m_increment, -0.5f);
    EXPECT_EQ(dialog.Settings().m_frequency, -14.25f);
}

}  // namespace
