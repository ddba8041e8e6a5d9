#include "solver/ListingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Writes through a symbolic link rather than replacing the link itself.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

}  // namespace

CListingFile::CListingFile(const fs::path& path) {
    if (path.empty() || !path.has_filename()) {
        m_error = path.empty() ? ENOENT : EISDIR;
        return;
    }
    m_target = ResolveTarget(path);
    static std::atomic<unsigned> counter{0};
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        std::string name = ".";
        name.append(m_target.filename().string()).append(".");
        name.append(std::to_string(::getpid())).append(".");
        name.append(std::to_string(counter++)).append(".tmp");
        m_temporary = folder / name;
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST) break;
    }
    if (m_fd < 0) {
        m_error = errno;
        return;
    }
    // A listing written again keeps the permissions it had.
    struct stat existing {};
    if (::stat(m_target.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            m_error = EISDIR;
        } else if (S_ISREG(existing.st_mode) && ::fchmod(m_fd, existing.st_mode & 07777) != 0) {
            m_error = errno;
        }
    }
    m_buffer.reserve(kBufferSize + 256);
}

CListingFile::~CListingFile() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_committed && !m_temporary.empty()) ::unlink(m_temporary.c_str());
}

std::string CListingFile::ErrorText() const {
    return m_error == 0 ? std::string()
                        : std::error_code(m_error, std::generic_category()).message();
}

void CListingFile::WriteLine(std::string_view line) {
    if (m_error != 0) return;
    m_buffer.append(line);
    m_buffer.append("\r\n");
    if (m_buffer.size() >= kBufferSize) Flush();
}

void CListingFile::Flush() {
    std::string_view rest = m_buffer;
    while (!rest.empty() && m_error == 0) {
        const ssize_t written = ::write(m_fd, rest.data(), rest.size());
        if (written < 0) {
            if (errno != EINTR) m_error = errno;
            continue;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    m_buffer.clear();
}

bool CListingFile::Commit() {
    if (m_error == 0) Flush();
    if (m_error == 0 && ::fsync(m_fd) != 0) m_error = errno;
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_error == 0) m_error = errno;
    m_fd = -1;
    if (m_error == 0 && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) m_error = errno;
    m_committed = m_error == 0;
    return m_committed;
}
