#include "nec/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

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

// Reads the file open on `fd` into `text`: why it cannot, or empty.
std::string ReadOpenFile(int fd, std::string& text, std::size_t largest) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return SystemText(errno);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (static_cast<std::size_t>(info.st_size) > largest) return TooLargeText(largest);
    const std::size_t start = text.size();
    text.reserve(start + static_cast<std::size_t>(info.st_size));
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

bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error,
                   std::size_t largest) {
    // Not blocking, so that opening a pipe with no writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemText(errno);
        return false;
    }
    error = ReadOpenFile(fd, text, largest);
    ::close(fd);
    return error.empty();
}
