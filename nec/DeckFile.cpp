#include "nec/DeckFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

DeckFileResult Failure(int error) {
    return DeckFileResult{false, std::error_code(error, std::generic_category()).message()};
}

// Writes through a symbolic link rather than replacing the link itself.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
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

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

DeckFileResult WriteDeckFile(const fs::path& path, std::string_view text) {
    if (path.empty()) return Failure(ENOENT);
    if (!path.has_filename()) return Failure(EISDIR);
    const fs::path target = ResolveTarget(path);

    fs::path temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return Failure(errno);

    // A replaced file keeps its permissions.
    struct stat existing {};
    bool ok = true;
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    ok = ok && WriteAll(fd, text) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Failure(error);
    }
    return DeckFileResult{true, {}};
}
