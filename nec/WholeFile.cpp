#include "nec/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

bool ReadWholeFile(const std::filesystem::path& path, std::string& text, std::string& error) {
    const auto fail = [&error](int code) {
        error = std::error_code(code, std::generic_category()).message();
        return false;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        text.reserve(text.size() + static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int code = errno;
            ::close(fd);
            return fail(code);
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}
