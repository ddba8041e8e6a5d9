#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "solver/ListingBuilder.h"

// The listing on its way to disk. Lines go, each with CR LF, to a new
// temporary file beside the chosen name, which takes that name only on
// Commit, once every byte is written and flushed. Until then, and whenever a
// step fails, a file already at the chosen name stays as it was, and the
// temporary file is removed when the object goes.
class CListingFile : public CLineOutput {
  public:
    explicit CListingFile(const std::filesystem::path& path);
    ~CListingFile() override;
    CListingFile(const CListingFile&) = delete;
    CListingFile& operator=(const CListingFile&) = delete;

    // False when the temporary file could not be made or a write failed.
    bool IsGood() const { return m_error == 0; }
    // Why it failed ("Permission denied", ...); empty while all is well.
    std::string ErrorText() const;

    void WriteLine(std::string_view line) override;
    bool Commit();

  private:
    void Flush();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    int m_error = 0;
    bool m_committed = false;
    std::string m_buffer;
};
