#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A file that takes the place of the one at a chosen path all at once. The
// text goes to a new temporary file in the same folder, which takes the
// chosen name only on Commit, once every byte is written and flushed to disk.
// Until then, and whenever a step fails, a file already at the chosen name
// stays exactly as it was, and the temporary file is removed when the object
// goes. A replaced file keeps its permissions; a symbolic link at the path
// keeps pointing where it did, and the file it names is replaced, unless
// the link is one the kernel would not follow: another user's link in a
// shared sticky folder.
class CReplacementFile {
  public:
    explicit CReplacementFile(const std::filesystem::path& path);
    ~CReplacementFile();
    CReplacementFile(const CReplacementFile&) = delete;
    CReplacementFile& operator=(const CReplacementFile&) = delete;

    // False once a step has failed; every later step then does nothing.
    bool IsGood() const { return m_error == 0; }
    // Why it failed ("Permission denied", ...); empty while all is well.
    std::string ErrorText() const;

    void Write(std::string_view text);
    bool Commit();

  private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    int m_error = 0;
    std::string m_refusal;  // why a symbolic link was not followed
    bool m_committed = false;
};
