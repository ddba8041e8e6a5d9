#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

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

}  // namespace
