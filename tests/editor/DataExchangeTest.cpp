#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/DataExchange.h"
#include "tests/support/ModalCatcher.h"

namespace {

TEST(DialogNumbers, FormatInGeneralFormatWithSixDigits) {
    EXPECT_EQ(FormatDialogNumber(300), "300");
    EXPECT_EQ(FormatDialogNumber(0.005f), "0.005");
    EXPECT_EQ(FormatDialogNumber(100), "100");
    EXPECT_EQ(FormatDialogNumber(0), "0");
    EXPECT_EQ(FormatDialogNumber(300.0f / 14.2f), "21.1268");
    EXPECT_EQ(FormatDialogNumber(-7.1f), "-7.1");
    EXPECT_EQ(FormatDialogNumber(1234567), "1.23457e+06");
    EXPECT_EQ(FormatDialogInteger(-37), "-37");
}

TEST(DialogNumbers, ParseOnlyDecimalNumbersWithBlanksAround) {
    EXPECT_EQ(ParseDialogNumber("14.2"), 14.2f);
    EXPECT_EQ(ParseDialogNumber("  -3.5  "), -3.5f);
    EXPECT_EQ(ParseDialogNumber("+2"), 2.0f);
    EXPECT_EQ(ParseDialogNumber(".5"), 0.5f);
    EXPECT_EQ(ParseDialogNumber("5."), 5.0f);
    EXPECT_EQ(ParseDialogNumber("1e3"), 1000.0f);
    EXPECT_EQ(ParseDialogNumber("-0"), 0.0f);
    EXPECT_EQ(ParseDialogNumber("1e-999"), 0.0f);
    for (const char* bad : {"", "  ", "abc", "1,5", "1.2.3", "e5", "1e", "inf", "nan", "0x10",
                            "12abc", "- 1", "1e39", "--1", "+-1", "."}) {
        EXPECT_FALSE(ParseDialogNumber(bad)) << bad;
    }

    EXPECT_EQ(ParseDialogInteger(" 19 "), 19);
    EXPECT_EQ(ParseDialogInteger("-4"), -4);
    EXPECT_EQ(ParseDialogInteger("+6"), 6);
    for (const char* bad : {"", "1.5", "5.", "x", "99999999999", "1e2", "+-3"}) {
        EXPECT_FALSE(ParseDialogInteger(bad)) << bad;
    }
}

class CDataExchangeTest : public testing::Test {
  protected:
    CDataExchangeTest() {
        auto* layout = new QVBoxLayout(&m_dialog);
        layout->addWidget(m_first = new QLineEdit(&m_dialog));
        layout->addWidget(m_second = new QLineEdit(&m_dialog));
        m_dialog.show();
        QApplication::setActiveWindow(&m_dialog);
    }

    QDialog m_dialog;
    QLineEdit* m_first;
    QLineEdit* m_second;
    CModalCatcher m_catcher;
};

TEST_F(CDataExchangeTest, FirstBadFieldShowsItsMessageTakesFocusAndStopsTheRest) {
    m_first->setText("abc");
    m_second->setText("x");
    float first = 1, second = 2;
    CDataExchange dx(&m_dialog);
    dx.Number(m_first, first);
    dx.Number(m_second, second);
    EXPECT_FALSE(dx.Ok());
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Please enter a number."});
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(m_dialog.focusWidget(), m_first);
}

TEST_F(CDataExchangeTest, RangeChecksNameTheirBounds) {
    m_first->setText("7");
    m_second->setText("360.5");
    int mode = 0;
    float angle = 0;
    CDataExchange dx(&m_dialog);
    dx.Integer(m_first, mode);
    dx.IntegerRange(m_first, mode, 0, 6);
    EXPECT_FALSE(dx.Ok());
    EXPECT_EQ(mode, 7);

    CDataExchange dx2(&m_dialog);
    dx2.Number(m_second, angle);
    dx2.NumberRange(m_second, angle, 0, 360);
    EXPECT_FALSE(dx2.Ok());
    EXPECT_EQ(m_dialog.focusWidget(), m_second);

    m_first->setText("1.5");
    CDataExchange dx3(&m_dialog);
    dx3.Integer(m_first, mode);
    EXPECT_EQ(m_catcher.Messages(), (QStringList{"Please enter an integer between 0 and 6.",
                                                 "Please enter a number between 0 and 360.",
                                                 "Please enter an integer."}));
}

TEST_F(CDataExchangeTest, GoodFieldsAreAllRead) {
    m_first->setText(" -180 ");
    m_second->setText("12");
    float phase = 0;
    int steps = 0;
    CDataExchange dx(&m_dialog);
    dx.Number(m_first, phase);
    dx.NumberRange(m_first, phase, -180, 180);
    dx.Integer(m_second, steps);
    EXPECT_TRUE(dx.Ok());
    EXPECT_EQ(phase, -180);
    EXPECT_EQ(steps, 12);
    EXPECT_TRUE(m_catcher.Messages().isEmpty());
}

}  // namespace
