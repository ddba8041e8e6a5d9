// Entry point of both test binaries (the GUI one with a QApplication on the
// offscreen platform); both pin the C locale so number texts never vary.
#include <gtest/gtest.h>

#include <clocale>

#ifdef QUADRELL_TEST_QAPPLICATION
#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#endif

int main(int argc, char** argv) {
#ifdef QUADRELL_TEST_QAPPLICATION
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale::c());
    // Settings written by tests go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
#endif
    // QApplication adopts the environment's locale; set it back.
    std::setlocale(LC_ALL, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
