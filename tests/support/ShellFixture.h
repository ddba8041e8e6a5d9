#pragma once

#include <QSettings>
#include <memory>

#include "app/MainFrm.h"
#include "app/Quadrell.h"
#include "tests/support/DialogDriver.h"

// A started application, as a user gets it: the main window with one empty
// design window, on fresh per-user settings.
class CShellFixture : public testing::Test {
  protected:
    void SetUp() override {
        m_app = std::make_unique<CQuadrellApp>();
        QSettings().clear();  // the application names its settings
        ASSERT_TRUE(m_app->InitInstance({}));
        m_frame = m_app->MainFrame();
    }
    void TearDown() override {
        m_app.reset();
        QSettings().clear();
    }

    // Closed windows are deleted, and their aftermath handled, by the event loop.
    static void ProcessDeletes() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    std::unique_ptr<CQuadrellApp> m_app;
    CMainFrame* m_frame = nullptr;
    CModalCatcher m_catcher;
};
