#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "editor/SnapControlDialog.h"
#include "editor/SourcePropertiesDialog.h"
#include "editor/WirePropertiesDialog.h"
#include "tests/support/DialogDriver.h"

namespace {

// Enter presses the focused button: Cancel reached with Tab cancels, OK
// accepts.
TEST(DialogKeys, EnterPressesTheFocusedButtonElseOk) {
    const std::function<std::unique_ptr<QDialog>()> dialogs[] = {
        [] { return std::make_unique<CWirePropertiesDialog>(100, 0.005f, 5, 0); },
        [] { return std::make_unique<CSourcePropertiesDialog>(1, 0); },
        [] { return std::make_unique<CSnapControlDialog>(); },
    };
    CModalCatcher catcher;
    for (const auto& make : dialogs) {
        for (const char* focus : {"IDCANCEL", "IDOK"}) {
            const std::unique_ptr<QDialog> dialog = make();
            SCOPED_TRACE(dialog->windowTitle().toStdString() + " " + focus);
            catcher.OnDialog([&dialog, focus](QWidget*) {
                while (QApplication::focusWidget() != Button(*dialog, focus))
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            const int result = dialog->exec();
            EXPECT_EQ(result, focus == std::string("IDOK") ? QDialog::Accepted : QDialog::Rejected);
        }
    }
}

}  // namespace
