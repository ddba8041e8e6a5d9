#include <gtest/gtest.h>

#include <QGuiApplication>

#include "app/MainFrm.h"
#include "app/Quadrell.h"

namespace {

// The main window's and the dialogs' titles are shown exactly as set: the
// application gives the platform no display name to append to them.
TEST(WindowTitle, CarriesNoApplicationNameBehind) {
    CQuadrellApp app;
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    // A display name of its own would not follow the application's name.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "probe");
    QCoreApplication::setApplicationName(name);
}

}  // namespace
