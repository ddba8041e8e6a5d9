#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "nec/TextModeReader.h"
#include "nec/WholeFile.h"
#include "tests/support/ScratchFolder.h"

#define SKIP_WITHOUT_NEC2C() \
    if (std::system("command -v nec2c >/dev/null") != 0) GTEST_SKIP() << "nec2c is not installed"

inline std::filesystem::path SolverDataFile(const std::string& name) {
    return std::filesystem::path(QUADRELL_TEST_DATA_DIR) / "solver" / name;
}

// A file's bytes; empty when it cannot be read.
inline std::string Bytes(const std::filesystem::path& path) {
    std::string bytes, error;
    ReadWholeFile(path, bytes, error);
    return bytes;
}

inline void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command in `folder` with no input: exit code, output, errors.
inline std::tuple<int, std::string, std::string> RunProgram(const std::filesystem::path& folder,
                                                            const std::string& command) {
    const CScratchFolder capture;
    const std::string to =
        " </dev/null >" + (capture / "out").string() + " 2>" + (capture / "err").string();
    const int status = std::system(("cd " + folder.string() + " && " + command + to).c_str());
    return {WEXITSTATUS(status), Bytes(capture / "out"), Bytes(capture / "err")};
}
