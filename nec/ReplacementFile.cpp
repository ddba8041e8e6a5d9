#include "nec/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

#include "nec/ExtendedAttributes.h"

namespace fs = std::filesystem;

namespace {

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

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
        const fs::path folder = FolderOf(target);
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
// ever reused, and for its owner alone: another user who opened it while it
// is written could read the text even after its final permissions forbid it.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
    // Enough of the name to recognise it, short enough for any long name.
    constexpr std::size_t kNameKept = 64;
    static std::atomic<unsigned> counter{0};
    const fs::path folder = FolderOf(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            folder / ("." + target.filename().string().substr(0, kNameKept) + "." +
                      std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a named pipe";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    return "a special file";
}

// Read rather than set and restored: while it is set, a file another thread
// creates would get the wrong permissions.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool StartsWith(const std::string& name, std::string_view prefix) {
    return name.compare(0, prefix.size(), prefix) == 0;
}

std::string Lost(const fs::path& target, const std::string& name) {
    const std::string what =
        name == kAccessListName ? "an access control list" : "the extended attribute " + name;
    return target.string() + " has " + what + ", which replacing it would lose";
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
    if (!InspectTarget()) return;
    m_fd = CreateTemporary(m_target, m_temporary);
    if (m_fd < 0) {
        m_error = errno;
        m_temporary.clear();
        return;
    }
    // What cannot be kept is found before a byte is written, as a listing
    // may take minutes to compute.
    if (TakeOwner()) TakeAttributes(false);
}

// Looks at the target without opening it: opening a named pipe or a device
// can block or act, as /dev/ptmx makes a new terminal.
bool CReplacementFile::InspectTarget() {
    struct stat info {};
    // A target that cannot be looked at keeps the temporary file from being
    // made beside it as well, which then says why.
    m_targetExists = ::stat(m_target.c_str(), &info) == 0;
    if (!m_targetExists) return true;
    if (S_ISDIR(info.st_mode)) {
        m_error = EISDIR;
        return false;
    }
    if (!S_ISREG(info.st_mode))
        return Refuse(m_target.string() + " is " + KindOf(info.st_mode) + ", not a regular file");
    if (info.st_nlink > 1)
        return Refuse(m_target.string() + " has " + std::to_string(info.st_nlink) +
                      " names (hard links); replacing it would split them, leaving the old text "
                      "under the other names");
    // Replacing goes by the folder's permission; the file's own must allow
    // the write as well, as writing into it would require.
    if (::eaccess(m_target.c_str(), W_OK) != 0) {
        m_error = errno;
        return false;
    }
    m_targetInfo = info;
    return true;
}

bool CReplacementFile::TakeOwner() {
    if (!m_targetExists) return true;
    struct stat mine {};
    if (::fstat(m_fd, &mine) != 0) {
        m_error = errno;
        return false;
    }
    const uid_t owner = m_targetInfo.st_uid;
    const gid_t group = m_targetInfo.st_gid;
    if ((mine.st_uid == owner && mine.st_gid == group) || ::fchown(m_fd, owner, group) == 0)
        return true;
    if (errno != EPERM) {
        m_error = errno;
        return false;
    }
    if (mine.st_uid != owner)
        return Refuse(m_target.string() +
                      " belongs to another user; replacing it would make it yours");
    return Refuse(m_target.string() +
                  " belongs to a group you are not in; replacing it would take it from that group");
}

// Gives the temporary file the target's extended attributes and drops those
// it was handed by the folder. Those under system. (the access control
// lists) wait for the last step with the permissions when `accessLists` is
// false: they would let others open the file while it is written.
bool CReplacementFile::TakeAttributes(bool accessLists) {
    if (!m_targetExists) return true;
    AttributeMap wanted;
    AttributeMap present;
    if (!ReadAttributes(m_target, wanted) || !ReadAttributes(m_fd, present)) {
        m_error = errno;
        return false;
    }
    const auto later = [accessLists](const std::string& name) {
        return !accessLists && StartsWith(name, "system.");
    };
    for (const auto& [name, value] : wanted) {
        const auto found = present.find(name);
        if (later(name) || (found != present.end() && found->second == value)) continue;
        if (::fsetxattr(m_fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return Refuse(Lost(m_target, name));
    }
    for (const auto& [name, value] : present) {
        if (later(name) || wanted.count(name) != 0) continue;
        // A security label that the system gives every new file may stay.
        if (::fremovexattr(m_fd, name.c_str()) != 0 && errno != ENODATA &&
            !StartsWith(name, "security.")) {
            m_error = errno;
            return false;
        }
    }
    return true;
}

// The target's permissions, or for a new file those any new file in the
// folder gets: from the folder's default access list where it has one, as
// the umask does not apply there, or else 0666 less the umask.
bool CReplacementFile::TakeFinalMode() {
    AttributeMap folder;
    int failed = 0;
    if (m_targetExists) {
        failed = ::fchmod(m_fd, m_targetInfo.st_mode & 07777);
    } else if (!ReadAttributes(FolderOf(m_target), folder)) {
        failed = -1;
    } else if (const auto list = folder.find(kDefaultListName); list != folder.end()) {
        const std::string access = InheritedAccessList(list->second, 0666);
        failed = ::fsetxattr(m_fd, kAccessListName, access.data(), access.size(), 0);
    } else {
        failed = ::fchmod(m_fd, 0666 & ~CurrentUmask());
    }
    if (failed != 0) m_error = errno;
    return failed == 0;
}

bool CReplacementFile::Refuse(std::string refusal) {
    m_refusal = std::move(refusal);
    m_error = EPERM;
    return false;
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
    // Looked at again, as the target may have changed while the text was
    // written; the permissions come last, just before the rename.
    if (m_error == 0 && InspectTarget() && TakeOwner() && TakeAttributes(true)) TakeFinalMode();
    if (m_error == 0 && ::fsync(m_fd) != 0) m_error = errno;
    if (m_fd >= 0 && ::close(m_fd) != 0 && m_error == 0) m_error = errno;
    m_fd = -1;
    if (m_error == 0 && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) m_error = errno;
    m_committed = m_error == 0;
    return m_committed;
}
