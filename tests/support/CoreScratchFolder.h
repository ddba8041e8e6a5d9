#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

// A fresh folder under the temporary directory, removed with all it holds.
class CScratchFolder {
  public:
    CScratchFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "quadrell-test-XXXXXX";
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~CScratchFolder() {
        std::error_code ignored;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};
