#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/UserGuide.h"

namespace {

// Installed, the guide beside bin/ wins; otherwise the source tree's copy.
TEST(UserGuide, IsFoundWhereItIsInstalledElseInTheSourceTree) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath("bin") &&
                QDir(prefix.path()).mkpath("share/doc/quadrell"));
    const QString bin = prefix.filePath("bin");
    const QString source = QDir(QUADRELL_DOCS_DIR).absoluteFilePath("user-guide.html");
    EXPECT_EQ(UserGuidePath(bin), source);
    QFile installed(prefix.filePath("share/doc/quadrell/user-guide.html"));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(UserGuidePath(bin), installed.fileName());
}

}  // namespace
