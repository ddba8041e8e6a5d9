#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "nec/MappedFile.h"
#include "nec/WholeFile.h"
#include "tests/support/ScratchFolder.h"

namespace {

// What is read, or why not; a pipe with no writer and an endless device are
// refused at once rather than read for ever. Opening is already acting on a
// special file: a pipe's writer wakes up, a device may start something
// (/dev/ptmx makes a new pseudo-terminal); the kernel tells whether anything
// opened the file.
TEST(ReadWholeFile, ReadsOnlyRegularFilesUpToTheirLimitAndOpensNothingElse) {
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
    for (const auto& [name, opens] : {std::pair{"five", true}, std::pair{"pipe", false}}) {
        for (const bool mapped : {false, true}) {
            const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            ASSERT_GE(::inotify_add_watch(watch, (folder / name).c_str(), IN_OPEN), 0);
            std::string text, error;
            if (mapped) CMappedFile(folder / name).Read([](std::string_view) {});
            if (!mapped) ReadWholeFile(folder / name, text, error);
            char events[256];
            EXPECT_EQ(::read(watch, events, sizeof events) > 0, opens) << name << mapped;
            ::close(watch);
        }
    }
}

// A file cut short under its reader reads as zeros beyond its new end
// instead of ending the program with a bus error.
TEST(CMappedFile, SaysWhenTheFileShrankWhileItWasRead) {
    CScratchFolder folder;
    std::ofstream(folder / "pages") << std::string(3 * 4096 + 5, 'x');
    const CMappedFile file(folder / "pages");
    std::filesystem::resize_file(folder / "pages", 1);
    EXPECT_EQ(file.Read([](std::string_view read) { EXPECT_EQ(read.back(), '\0'); }),
              "it shrank or failed while it was read");
}

}  // namespace
