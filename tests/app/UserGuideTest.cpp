#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/UserGuide.h"

namespace {

// Installed, only the guide beside bin/ serves; the program in the build
// tree's bin/ reads the source tree's copy.
TEST(UserGuide, IsFoundWhereItIsInstalledOrBesideTheBuildInTheSourceTree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin") &&
                QDir(prefix.path()).mkpath("share/doc/quadrell"));
    const QString bin = prefix.filePath("bin");
    EXPECT_EQ(UserGuidePath(bin), QString());
    QFile installed(prefix.filePath("share/doc/quadrell/user-guide.html"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(UserGuidePath(bin), installed.fileName());
    // The tests are built into the same bin/ as the program.
    EXPECT_EQ(UserGuidePath(QCoreApplication::applicationDirPath()),
              QDir(QUADRELL_DOCS_DIR).absoluteFilePath("user-guide.html"));
}

}  // namespace
