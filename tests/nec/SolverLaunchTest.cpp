// Starting NEC2d: the fake solver built beside the tests writes down what it
// finds about itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <map>

#include "nec/SolverLaunch.h"

namespace {

using Record = std::map<QString, QString>;
const QString kFakeSolver = QUADRELL_FAKE_SOLVER_DIR "/NEC2d";

// Where the fake solver writes its records; PATH is put back afterwards.
class SolverLaunchTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("records"));
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("empty"));
        qputenv("QUADRELL_FAKE_SOLVER_RECORDS", m_folder.filePath("records").toLocal8Bit());
    }
    void TearDown() override {
        qunsetenv("QUADRELL_FAKE_SOLVER_RECORDS");
        qunsetenv("QUADRELL_FAKE_SOLVER_STAY_MS");
        qputenv("PATH", m_path);
    }

    // The solvers' records, taken once `count` are there or after 10 s.
    std::vector<Record> Records(std::size_t count) const {
        QDir folder(m_folder.filePath("records"));
        QElapsedTimer waited;
        waited.start();
        while (folder.entryList({"*.rec"}).size() < qsizetype(count) && waited.elapsed() < 10000) {
            QThread::msleep(20);
        }
        std::vector<Record> records;
        for (const QString& name : folder.entryList({"*.rec"})) {
            QFile file(folder.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            Record& record = records.emplace_back();
            for (const QString& line : QString(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
                record[line.section('=', 0, 0)] = line.section('=', 1);
            }
            file.remove();
        }
        return records;
    }
    QString Folder(const char* name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    QByteArray m_path = qgetenv("PATH");
};

// The program is looked for in the given folder, then on PATH.
TEST_F(SolverLaunchTest, StartsEachSolverOnItsOwnAndReturnsWhileItRuns) {
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("first"));
    ASSERT_TRUE(QFile::copy(kFakeSolver, m_folder.filePath("first/NEC2d")));
    qputenv("PATH", QUADRELL_FAKE_SOLVER_DIR);
    qputenv("QUADRELL_FAKE_SOLVER_STAY_MS", "1500");
    // A descriptor without close-on-exec, which a careless start would hand on.
    const int open = ::open("/dev/null", O_RDONLY);
    QElapsedTimer took;
    took.start();
    EXPECT_TRUE(LaunchNec2d(Folder("first").toStdString(), "NEC2d").started);
    EXPECT_TRUE(LaunchNec2d(Folder("empty").toStdString(), "NEC2d").started);
    EXPECT_LT(took.elapsed(), 1000);
    ::close(open);

    const std::vector<Record> records = Records(2);
    ASSERT_EQ(records.size(), 2u);
    const auto output = QString::fromStdString(std::filesystem::read_symlink("/proc/self/fd/1"));
    QStringList programs;
    for (Record r : records) {
        EXPECT_EQ(::kill(r["pid"].toInt(), 0), 0) << "still running";
        EXPECT_EQ(r["pgid"], r["pid"]) << "own process group";
        EXPECT_NE(r["sid"].toInt(), ::getsid(0)) << "own session";
        EXPECT_EQ(QStringList({r["argc"], r["cwd"], r["fds"], r["stdout"]}),
                  QStringList({"1", QDir::currentPath(), "0,1,2", output}));
        programs << r["exe"];
    }
    EXPECT_TRUE(programs.contains(kFakeSolver) && programs.contains(Folder("first") + "/NEC2d"));
    // Nothing of the start is left for Quadrell to reap, now or later.
    EXPECT_LE(::waitpid(-1, nullptr, WNOHANG), 0);
    for (Record record : records) {
        QElapsedTimer waited;
        waited.start();
        const int pid = record["pid"].toInt();
        while (::kill(pid, 0) == 0 && waited.elapsed() < 10000) QThread::msleep(20);
        EXPECT_TRUE(::kill(pid, 0) != 0 && errno == ESRCH) << "ended and reaped";
    }
    EXPECT_LE(::waitpid(-1, nullptr, WNOHANG), 0);
}

// Empty and relative PATH entries name the current folder: a NEC2d planted
// there is never started, and the search goes on past them.
TEST_F(SolverLaunchTest, PassesOverEmptyAndRelativePathEntries) {
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("bin"));
    for (const char* planted : {"NEC2d", "bin/NEC2d"})
        ASSERT_TRUE(QFile::copy(kFakeSolver, m_folder.filePath(planted)));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder.path()));
    const std::string empty = Folder("empty").toStdString();
    using namespace std::literals;
    for (const std::string& path : {""s, ":"s, "."s, "bin"s, empty + ":", ":" + empty, "a::b"s,
                                    "bin:" QUADRELL_FAKE_SOLVER_DIR ""s}) {
        qputenv("PATH", QByteArray::fromStdString(path));
        const bool started = LaunchNec2d(empty, "NEC2d").started;
        EXPECT_EQ(started, path.ends_with(QUADRELL_FAKE_SOLVER_DIR)) << path;
        for (Record record : Records(started)) EXPECT_EQ(record["exe"], kFakeSolver);
    }
    QDir::setCurrent(before);
}

// Nothing is left running or to reap when the start fails, and the user is
// told what was tried.
TEST_F(SolverLaunchTest, AProgramThatCannotStartIsReported) {
    const std::string empty = Folder("empty").toStdString();
    qputenv("PATH", Folder("empty").toLocal8Bit());
    const std::string notFound = "NEC2d cannot be found. Quadrell looked for it in " + empty +
                                 " and in the folders of PATH (" + empty + ").";
    EXPECT_EQ(LaunchNec2d(empty, "NEC2d").message, notFound);
    // A file that is there but may not be run is no program either; one that
    // may be run but is no program says why it did not start.
    QFile script(m_folder.filePath("empty/NEC2d"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly) && script.write("no program") > 0);
    script.close();
    EXPECT_EQ(LaunchNec2d(empty, "NEC2d").message, notFound);
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const LaunchOutcome unknown = LaunchNec2d(empty, "NEC2d");
    EXPECT_EQ(
        std::pair(unknown.started, unknown.message),
        std::pair(false, "NEC2d (" + empty + "/NEC2d) cannot be started: Exec format error."));
    QThread::msleep(200);
    EXPECT_TRUE(Records(0).empty());
    EXPECT_LE(::waitpid(-1, nullptr, WNOHANG), 0);
}

}  // namespace
