#include "nec/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Writes through symbolic links, but only through those the kernel would
// follow for us in a shared sticky folder such as /tmp: a link there that
// another user planted could otherwise send the write to any file of ours.
// False, with the link named in `refusal`, for a link that may not be
// followed.
bool ResolveTarget(const fs::path& path, fs::path& target, std::string& refusal) {
    // As many links in a row as the kernel follows.
    constexpr int kMostLinks = 40;
    target = path;
    for (int link = 0; link < kMostLinks; ++link) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        struct stat folderInfo {};
        const bool shared = ::stat(folder.c_str(), &folderInfo) == 0 &&
                            (folderInfo.st_mode & S_ISVTX) != 0 &&
                            (folderInfo.st_mode & S_IWOTH) != 0;
        if (shared && info.st_uid != ::geteuid() && info.st_uid != folderInfo.st_uid) {
            refusal =
                target.string() + " is a symbolic link that another user made in a shared folder";
            return false;
        }
        std::error_code error;
        const fs::path next = fs::read_symlink(target, error);
        if (error) return true;
        target = next.is_absolute() ? next : folder / next;
    }
    refusal = path.string() + " leads through too many symbolic links";
    return false;
}

// A fresh name beside `target`, created exclusively so that no other file is
// ever reused. Mode 0666 lets the umask decide, as for any new file.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
    // Enough of the name to recognise it, short enough for any long name.
    constexpr std::size_t kNameKept = 64;
    static std::atomic<unsigned> counter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder / ("." + target.filename().string().substr(0, kNameKept) + "." +
                      std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

CReplacementFile::CReplacementFile(const fs::path& path) {
    if (path.empty() || !path.has_filename()) {
        m_error = path.empty() ? ENOENT : EISDIR;
        return;
    }
    if (!ResolveTarget(path, m_target, m_refusal)) {
        m_error = EACCES;
        return;
    }
    // Replacing goes by the folder's permission; the file's own must allow
    // the write as well, as writing into it would require.
    if (::access(m_target.c_str(), F_OK) == 0 && ::eaccess(m_target.c_str(), W_OK) != 0) {
        m_error = errno;
        return;
    }
    m_fd = CreateTemporary(m_target, m_temporary);
    if (m_fd < 0) {
        m_error = errno;
        m_temporary.clear();
        return;
    }
    struct stat existing {};
    if (::stat(m_target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            m_error = EISDIR;
        } else if (S_ISREG(existing.st_mode) && ::fchmod(m_fd, existing.st_mode & 07777) != 0) {
            m_error = errno;
        }
    }
}

CReplacementFile::~CReplacementFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temporary.empty()) ::unlink(m_temporary.c_str());
}

std::string CReplacementFile::ErrorText() const {
    if (m_error == 0) return {};
    return m_refusal.empty() ? std::error_code(m_error, std::generic_category()).message()
                             : m_refusal;
}

void CReplacementFile::Write(std::string_view text) {
    while (!text.empty() && m_error == 0) {
        const ssize_t written = ::write(m_fd, text.data(), text.size());
        if (written < 0) {
            if (errno != EINTR) m_error = errno;
            continue;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool CReplacementFile::Commit() {
    if (m_error == 0 && ::fsync(m_fd) != 0) m_error = errno;
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_error == 0) m_error = errno;
    m_fd = -1;
    if (m_error == 0 && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) m_error = errno;
    m_committed = m_error == 0;
    return m_committed;
}
