#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/ChildFrm.h"
#include "editor/CommandIds.h"
#include "editor/QuadrellView.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ShellFixture.h"

namespace {

const QString kListing = QStringLiteral(QUADRELL_TEST_DATA_DIR "/listings/dipole.out");

class ProcessOutputDataTest : public CShellFixture {
  protected:
    CQuadrellView* View() const { return m_frame->ActiveView(); }

    QList<QMdiSubWindow*> ResultWindows() const {
        QList<QMdiSubWindow*> windows;
        for (QMdiSubWindow* window : m_frame->MdiArea()->subWindowList()) {
            if (qobject_cast<CPlotWindow*>(window->widget()) != nullptr) windows << window;
        }
        return windows;
    }

    // Runs the command and picks `path` in its open dialog, or cancels.
    void Process(const QString& path) {
        m_catcher.OnDialog([this, path](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr);
            auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(nameEdit, nullptr);
            m_shownName = nameEdit->text();
            m_shownSuffix = dialog->defaultSuffix();
            m_shownFilters = dialog->nameFilters();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            Retype(nameEdit, path);
            QTest::keyClick(nameEdit, Qt::Key_Return);
        });
        m_frame->RouteCommand(ID_PROCESS_OUTPUT_DATA, true);
        // The structure window's first paint has its message queued.
        QApplication::processEvents();
        EXPECT_EQ(m_catcher.PendingHandlers(), 0);
        EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
    }

    QString m_shownName;
    QString m_shownSuffix;
    QStringList m_shownFilters;
};

TEST_F(ProcessOutputDataTest, OpensThePatternThenTheStructureWindowFromAListing) {
    m_frame->resize(1000, 700);
    Process(kListing);
    EXPECT_EQ(m_shownName, " ");
    EXPECT_EQ(m_shownSuffix, "out");
    EXPECT_EQ(m_shownFilters, QStringList{"All Files (*)"});  // Qt's words for no filter

    const QList<QMdiSubWindow*> windows = ResultWindows();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->windowTitle(), "Far-Field Radiation Pattern");
    EXPECT_EQ(windows[0]->geometry(), QRect(50, 50, 350, 350));
    EXPECT_EQ(windows[1]->windowTitle(), "Antenna Plot");
    EXPECT_EQ(windows[1]->geometry(), QRect(425, 50, 350, 350));
    EXPECT_EQ(m_frame->MdiArea()->activeSubWindow(), windows[1]);
    EXPECT_EQ(View()->GetPlotDlg(), windows[0]->widget());
    EXPECT_EQ(View()->GetAntennaPlot(), windows[1]->widget());
    EXPECT_TRUE(View()->GetPlotDlg()->IsProjectionReady());
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Use mouse to rotate plots."});
}

TEST_F(ProcessOutputDataTest, ACancelOrAnInvalidFileOpensNothing) {
    // A deck is no listing; listings cut short are the reader's own tests.
    const QString deck = QStringLiteral(QUADRELL_TEST_DATA_DIR "/listings/dipole.in");
    for (const QString& path : {QString(), deck}) {
        SCOPED_TRACE(path.toStdString());
        Process(path);
        EXPECT_TRUE(ResultWindows().isEmpty());
        EXPECT_EQ(View()->GetPlotDlg(), nullptr);
    }
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Invalid Input File"});
}

TEST_F(ProcessOutputDataTest, TheViewDestroysOnlyItsNewestWindowsAndNoneTwice) {
    Process(kListing);
    const QList<QMdiSubWindow*> first = ResultWindows();
    Process(kListing);
    ASSERT_EQ(ResultWindows().size(), 4);
    // Every structure window shows the message at its first paint.
    EXPECT_EQ(m_catcher.Messages().size(), 2);
    const QList<QMdiSubWindow*> second = ResultWindows().mid(2);
    EXPECT_EQ(View()->GetPlotDlg(), second[0]->widget());

    // The user closes the newest structure window: it is gone at once.
    second[1]->close();
    ProcessDeletes();
    EXPECT_EQ(View()->GetAntennaPlot(), nullptr);

    // Closing the design window takes the newest pattern window with it.
    m_frame->ActiveChild()->close();
    ProcessDeletes();
    EXPECT_EQ(ResultWindows(), first);
}

}  // namespace
