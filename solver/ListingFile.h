#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "nec/ReplacementFile.h"
#include "solver/ListingBuilder.h"

// The listing on its way to disk: lines, each with CR LF, buffered into a
// replacement file, so that a file already at the chosen name stays as it was
// until the whole listing is written and committed.
class CListingFile : public CLineOutput {
  public:
    explicit CListingFile(const std::filesystem::path& path);

    // False when the temporary file could not be made or a write failed.
    bool IsGood() const { return m_file.IsGood(); }
    // Why it failed ("Permission denied", ...); empty while all is well.
    std::string ErrorText() const { return m_file.ErrorText(); }

    void WriteLine(std::string_view line) override;
    bool Commit();

  private:
    void Flush();

    CReplacementFile m_file;
    std::string m_buffer;
};
