#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

// A file that takes the place of the one at a chosen path all at once. The
// text goes to a new temporary file in the same folder, readable by its
// owner only while it is written, which takes the chosen name only on
// Commit, once every byte is written and flushed to disk. Until then, and
// whenever a step fails, a file already at the chosen name stays exactly as
// it was, and the temporary file is removed when the object goes.
//
// A replaced file keeps its owner, group, permissions, access control list
// and other extended attributes; where one of them cannot be kept, or where
// the file has other names (hard links) that would keep the old text, the
// file is left alone and the failure says what would have been lost. Only a
// regular file is replaced: a named pipe, socket or device at the path is
// refused, and nothing at the path is ever opened. A symbolic link at the
// path keeps pointing where it did, and the file it names is replaced,
// unless the link is one the kernel would not follow: another user's link
// in a shared sticky folder.
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
    bool InspectTarget();
    bool TakeOwner();
    bool TakeAttributes(bool accessLists);
    bool TakeFinalMode();
    bool Refuse(std::string refusal);

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_fd = -1;
    int m_error = 0;
    std::string m_refusal;  // what replacing the file would have lost or broken
    bool m_committed = false;
    bool m_targetExists = false;
    struct stat m_targetInfo {};
};
