#include "nec/MappedFile.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <system_error>

#include "nec/WholeFile.h"

namespace {

// The mapping being read, for the bus-error handler: one read at a time.
std::mutex g_reading;
std::atomic<std::uintptr_t> g_begin{0};
std::atomic<std::uintptr_t> g_end{0};
std::atomic<std::uintptr_t> g_pageSize{0};
std::atomic<bool> g_lost{false};
struct sigaction g_previous {};

// A bus error inside the mapping being read: the file shrank under it, or
// its storage failed. Zeros from the failing page to the end of the mapping
// let the reader run to its end. A bus error anywhere else is none of ours:
// with the handler before ours back in place, it happens again as it would
// have.
void OnBusError(int, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const std::uintptr_t begin = g_begin;
    const std::uintptr_t end = g_end;
    if (address >= begin && address < end) {
        const std::uintptr_t page = address - (address - begin) % g_pageSize;
        void* const zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            g_lost = true;
            return;
        }
    }
    ::sigaction(SIGBUS, &g_previous, nullptr);
}

// Catches the bus errors of one read of a mapping for as long as it lives.
class CBusErrorGuard {
  public:
    CBusErrorGuard(char* data, std::size_t size) : m_lock(g_reading) {
        g_pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        g_begin = reinterpret_cast<std::uintptr_t>(data);
        g_end = g_begin + size;
        g_lost = false;
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &g_previous);
    }
    ~CBusErrorGuard() {
        ::sigaction(SIGBUS, &g_previous, nullptr);
        g_begin = 0;
        g_end = 0;
    }
    CBusErrorGuard(const CBusErrorGuard&) = delete;
    CBusErrorGuard& operator=(const CBusErrorGuard&) = delete;

    bool Lost() const { return g_lost; }

  private:
    std::lock_guard<std::mutex> m_lock;
};

}  // namespace

CMappedFile::CMappedFile(const std::filesystem::path& path) {
    std::size_t size = 0;
    const int fd = OpenRegularFile(path, size, m_error);
    if (fd < 0) return;
    // An empty file has nothing to map, and a mapping of no bytes fails.
    if (size > 0) {
        void* const data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (data == MAP_FAILED) {
            m_error = std::error_code(errno, std::generic_category()).message();
        } else {
            m_data = static_cast<char*>(data);
            m_size = size;
        }
    }
    ::close(fd);
}

CMappedFile::~CMappedFile() {
    if (m_data != nullptr) ::munmap(m_data, m_size);
}

std::string CMappedFile::Read(const std::function<void(std::string_view)>& use) const {
    if (!m_error.empty()) return m_error;
    if (m_data == nullptr) {
        use({});
        return {};
    }
    const CBusErrorGuard guard(m_data, m_size);
    use({m_data, m_size});
    if (guard.Lost()) return "it shrank or failed while it was read";
    return {};
}
