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

// The mapping being read, for the bus-error handler. A handler reaches only
// what the whole process shares, so this is kept once, made before the
// handler is first put in place; one read at a time.
struct BusErrorWatch {
    std::mutex reading;
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::uintptr_t> pageSize{0};
    std::atomic<bool> lost{false};
    struct sigaction previous {};
};

BusErrorWatch& TheWatch() {
    static BusErrorWatch watch;
    return watch;
}

// A bus error inside the mapping being read: the file shrank under it, or
// its storage failed. Zeros from the failing page to the end of the mapping
// let the reader run to its end. A bus error anywhere else is none of ours:
// with the handler before ours back in place, it happens again as it would
// have.
void OnBusError(int, siginfo_t* info, void*) {
    BusErrorWatch& watch = TheWatch();
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const std::uintptr_t begin = watch.begin;
    const std::uintptr_t end = watch.end;
    if (address >= begin && address < end) {
        const std::uintptr_t page = address - (address - begin) % watch.pageSize;
        void* const zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros != MAP_FAILED) {
            watch.lost = true;
            return;
        }
    }
    ::sigaction(SIGBUS, &watch.previous, nullptr);
}

// Catches the bus errors of one read of a mapping for as long as it lives.
class CBusErrorGuard {
  public:
    CBusErrorGuard(char* data, std::size_t size) : m_watch(TheWatch()), m_lock(m_watch.reading) {
        m_watch.pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        m_watch.begin = reinterpret_cast<std::uintptr_t>(data);
        m_watch.end = m_watch.begin + size;
        m_watch.lost = false;
        struct sigaction action {};
        action.sa_sigaction = OnBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGBUS, &action, &m_watch.previous);
    }
    ~CBusErrorGuard() {
        ::sigaction(SIGBUS, &m_watch.previous, nullptr);
        m_watch.begin = 0;
        m_watch.end = 0;
    }
    CBusErrorGuard(const CBusErrorGuard&) = delete;
    CBusErrorGuard& operator=(const CBusErrorGuard&) = delete;

    bool Lost() const { return m_watch.lost; }

  private:
    BusErrorWatch& m_watch;
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
