// The Process Output Data command: a listing in, two result windows out,
// owned by the design window that asked for them.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/ChildFrm.h"
#include "editor/CommandIds.h"
#include "editor/QuadrellView.h"
#include "plots/AntennaPlot.h"
#include "plots/PlotDlg.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/ShellFixture.h"

namespace {

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

    // Runs the command and picks `name` from the test data in its open
    // dialog, or cancels it.
    void Process(const QString& name) {
        m_catcher.OnDialog([this, name](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr);
            auto* nameEdit = dialog->findChild<QLineEdit*>("fileNameEdit");
            m_shown =
                QStringList{nameEdit->text(), dialog->defaultSuffix()} + dialog->nameFilters();
            if (name.isEmpty()) return dialog->reject();
            Retype(nameEdit, QUADRELL_TEST_DATA_DIR "/listings/" + name);
            QTest::keyClick(nameEdit, Qt::Key_Return);
        });
        m_frame->RouteCommand(ID_PROCESS_OUTPUT_DATA, true);
        // The structure window's first paint has its message queued.
        QApplication::processEvents();
        EXPECT_EQ(m_catcher.PendingHandlers(), 0);
        EXPECT_TRUE(m_catcher.Unexpected().isEmpty());
    }

    QStringList m_shown;
};

TEST_F(ProcessOutputDataTest, ACancelOrAnInvalidFileOpensNothing) {
    // A deck is no listing; listings cut short are the reader's own tests.
    for (const QString& name : {QString(), QString("dipole.in")}) {
        SCOPED_TRACE(name.toStdString());
        Process(name);
        EXPECT_TRUE(ResultWindows().isEmpty());
        EXPECT_EQ(View()->GetPlotDlg(), nullptr);
    }
    // No file named yet, the listing's extension, and no filter (in Qt's words).
    EXPECT_EQ(m_shown, (QStringList{" ", "out", "All Files (*)"}));
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Invalid Input File"});
}

TEST_F(ProcessOutputDataTest, EachRunOpensTwoWindowsAndTheDesignTakesOnlyTheNewestAlong) {
    m_frame->resize(1000, 700);
    Process("dipole.out");
    const QList<QMdiSubWindow*> first = ResultWindows();
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[0]->windowTitle(), "Far-Field Radiation Pattern");
    EXPECT_EQ(first[0]->geometry(), QRect(50, 50, 350, 350));
    EXPECT_EQ(first[1]->windowTitle(), "Antenna Plot");
    EXPECT_EQ(first[1]->geometry(), QRect(425, 50, 350, 350));
    EXPECT_EQ(first[1]->minimumSize(), first[1]->maximumSize());
    EXPECT_FALSE(first[1]->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(m_frame->MdiArea()->activeSubWindow(), first[1]);
    EXPECT_TRUE(View()->GetPlotDlg()->IsProjectionReady());
    EXPECT_EQ(m_catcher.Messages(), QStringList{"Use mouse to rotate plots."});

    Process("dipole.out");
    ASSERT_EQ(ResultWindows().size(), 4);
    EXPECT_EQ(m_catcher.Messages().size(), 2);
    const QList<QMdiSubWindow*> second = ResultWindows().mid(2);
    EXPECT_EQ(View()->GetPlotDlg(), second[0]->widget());
    EXPECT_EQ(View()->GetAntennaPlot(), second[1]->widget());

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
