#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "tests/support/ModalCatcher.h"

// Drives dialogs as a user would, finding controls by their control ids.

inline QLineEdit* Field(QWidget& dialog, int id) {
    return dialog.findChild<QLineEdit*>(QString::number(id));
}

inline QPushButton* Button(QWidget& dialog, const char* id) {
    return dialog.findChild<QPushButton*>(id);
}

// Replaces a field's text by typing, keys and all.
inline void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Shows `dialog` modally; `act` runs while it is open and must close it.
inline int RunModal(QDialog& dialog, CModalCatcher& catcher, const std::function<void()>& act) {
    catcher.OnDialog([act](QWidget*) { act(); });
    const int result = dialog.exec();
    EXPECT_TRUE(catcher.Unexpected().isEmpty()) << catcher.Unexpected().join(", ").toStdString();
    return result;
}
