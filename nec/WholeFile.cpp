#include "nec/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

constexpr const char* kNotRegular = "not a regular file";

std::string TooLargeText(std::size_t largest) {
    constexpr std::size_t kMegabyte = std::size_t{1} << 20;
    const std::string size = largest % kMegabyte == 0 && largest > 0
                                 ? std::to_string(largest / kMegabyte) + " MB"
                                 : std::to_string(largest) + " bytes";
    return "larger than the " + size + " a file may have here";
}

std::string SystemText(int code) {
    return std::error_code(code, std::generic_category()).message();
}

// Reads the regular file open on `fd`, `size` bytes long when opened, into
// `text`: why it cannot, or empty.
std::string ReadOpenFile(int fd, std::size_t size, std::string& text, std::size_t largest) {
    if (size > largest) return TooLargeText(largest);
    const std::size_t start = text.size();
    text.reserve(start + size);
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) return {};
        if (got < 0) {
            if (errno == EINTR) continue;
            return SystemText(errno);
        }
        // The file may grow while it is read.
        if (text.size() - start + static_cast<std::size_t>(got) > largest)
            return TooLargeText(largest);
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace

int OpenRegularFile(const std::filesystem::path& path, std::size_t& size, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = SystemText(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        error = kNotRegular;
        return -1;
    }
    // Not blocking and never a controlling terminal, should the name have
    // been pointed at a pipe or a terminal since the look.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = SystemText(errno);
        return -1;
    }
    // The name may have been pointed elsewhere between the look and the open.
    const bool looked = ::fstat(fd, &info) == 0;
    if (!looked || !S_ISREG(info.st_mode)) {
        error = looked ? kNotRegular : SystemText(errno);
        ::close(fd);
        return -1;
    }
    size = static_cast<std::size_t>(info.st_size);
    return fd;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error,
                   std::size_t largest) {
    std::size_t size = 0;
    const int fd = OpenRegularFile(path, size, error);
    if (fd < 0) return false;
    error = ReadOpenFile(fd, size, text, largest);
    ::close(fd);
    return error.empty();
}
