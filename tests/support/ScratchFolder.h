#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

// A fresh folder under the temporary directory for one test, removed with
// everything in it afterwards.
struct CScratchFolder {
    std::string name = (std::filesystem::temp_directory_path() / "quadrell-test.XXXXXX").string();
    const std::filesystem::path path = ::mkdtemp(name.data());
    ~CScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path operator/(const std::string& file) const { return path / file; }
};
