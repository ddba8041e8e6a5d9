#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "editor/DialogTemplate.h"

namespace {

TEST(DialogTemplate, ScalesDialogUnitsByTheFontAndKeepsTemplateOrder) {
    QDialog dialog;
    CDialogTemplate layout(&dialog, "Properties of Wire", 200, 87);
    EXPECT_EQ(dialog.windowTitle(), "Properties of Wire");

    QPushButton* ok = layout.AddButton("IDOK", "OK", QRect(35, 55, 50, 14), true);
    QPushButton* cancel = layout.AddButton("IDCANCEL", "Cancel", QRect(103, 55, 50, 14));
    QLineEdit* first = layout.AddEdit(1003, QRect(13, 32, 30, 17));
    QLineEdit* second = layout.AddEdit(1005, QRect(56, 32, 30, 17));

    // Relative arrangement survives the scaling.
    EXPECT_LT(ok->geometry().right(), cancel->geometry().left());
    EXPECT_LT(first->geometry().right(), second->geometry().left());
    EXPECT_LT(first->geometry().bottom(), ok->geometry().top());
    EXPECT_EQ(ok->geometry().size(), cancel->geometry().size());
    EXPECT_TRUE(dialog.rect().contains(cancel->geometry()));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("1005"), second);

    // Tab order is template order.
    EXPECT_EQ(ok->nextInFocusChain(), cancel);
    EXPECT_EQ(cancel->nextInFocusChain(), first);
    EXPECT_EQ(first->nextInFocusChain(), second);

    dialog.show();
    cancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
