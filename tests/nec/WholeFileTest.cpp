#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <string>

#include "nec/MappedFile.h"
#include "nec/WholeFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

// What is read, or why not; a pipe with no writer and an endless device are
// refused at once rather than read for ever.
TEST(ReadWholeFile, ReadsOnlyRegularFilesUpToTheirLimit) {
    CScratchFolder folder;
    std::ofstream(folder / "five") << "12345";
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    const std::tuple<std::filesystem::path, std::size_t, std::string> cases[] = {
        {folder / "five", 5, "12345"},
        {folder / "five", 4, "error: larger than the 4 bytes a file may have here"},
        {folder / "pipe", 5, "error: not a regular file"},
        {"/dev/zero", 5, "error: not a regular file"},
        {folder.path, 5, "error: not a regular file"},
        {folder / "none", 5, "error: No such file or directory"}};
    for (const auto& [path, largest, expected] : cases) {
        std::string text, error;
        const bool read = ReadWholeFile(path, text, error, largest);
        EXPECT_EQ(read ? text : "error: " + error, expected) << path;
    }
}

// Whether anything opened `path` while `read` ran, as the kernel tells it.
bool OpenedWhile(const std::filesystem::path& path, const std::function<void()>& read) {
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(::inotify_add_watch(watch, path.c_str(), IN_OPEN), 0) << path;
    read();
    char events[4096];
    const bool opened = ::read(watch, events, sizeof events) > 0;
    ::close(watch);
    return opened;
}

// Opening is already acting on a special file: a pipe's writer wakes up, a
// device may start something (/dev/ptmx makes a new pseudo-terminal).
TEST(ReadWholeFile, OpensNothingButRegularFiles) {
    CScratchFolder folder;
    std::ofstream(folder / "five") << "12345";
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "pipe", folder / "link");
    const std::pair<std::filesystem::path, bool> cases[] = {{folder / "five", true},
                                                            {folder / "pipe", false},
                                                            {folder / "link", false},
                                                            {folder.path, false}};
    for (const auto& [path, opens] : cases) {
        std::string text, error;
        EXPECT_EQ(OpenedWhile(path, [&] { ReadWholeFile(path, text, error); }), opens) << path;
        EXPECT_EQ(OpenedWhile(path, [&] { CMappedFile{path}.Read([](std::string_view) {}); }),
                  opens)
            << path << " mapped";
    }
}

// The bytes as mapped, and why they are not the file's. A mapping of no
// bytes fails, so an empty file needs none; a file cut short under its reader
// reads as zeros beyond its new end instead of ending the program.
TEST(CMappedFile, ReadsTheBytesOrSaysWhyNot) {
    CScratchFolder folder;
    const std::string pages(3 * 4096 + 5, 'x');
    const std::tuple<std::string, std::string, std::size_t, std::string> cases[] = {
        {"five", "12345", 5, "12345"},
        {"empty", "", 0, ""},
        {"pages", pages, 1,
         "x" + std::string(pages.size() - 1, '\0') + " (it shrank or failed while it was read)"}};
    for (const auto& [name, bytes, keep, expected] : cases) {
        std::ofstream(folder / name) << bytes;
        const CMappedFile file(folder / name);
        std::filesystem::resize_file(folder / name, keep);
        std::string seen;
        const std::string error = file.Read([&seen](std::string_view read) { seen = read; });
        EXPECT_EQ(error.empty() ? seen : seen + " (" + error + ")", expected) << name;
    }
}

}  // namespace
