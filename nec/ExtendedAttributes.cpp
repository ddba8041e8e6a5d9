#include "nec/ExtendedAttributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <cstdint>
#include <string_view>

namespace {

// Reads a list or a value whose size may change between asking for the size
// and reading it, as another process may set attributes meanwhile.
template <typename Read>
bool ReadSized(Read read, std::string& bytes) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0) return false;
        bytes.resize(static_cast<std::size_t>(size));
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;
    }
    return false;
}

template <typename List, typename Get>
bool ReadAll(List list, Get get, AttributeMap& attributes) {
    attributes.clear();
    std::string names;
    if (!ReadSized(list, names)) return errno == ENOTSUP;
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = names.find('\0', start);
        const std::string name = names.substr(start, end - start);
        start = end == std::string::npos ? names.size() : end + 1;
        std::string value;
        const auto read = [&get, &name](char* data, std::size_t size) {
            return get(name.c_str(), data, size);
        };
        if (ReadSized(read, value)) {
            attributes.emplace(name, std::move(value));
        } else if (errno != ENODATA) {  // gone since it was listed
            return false;
        }
    }
    return true;
}

// The kernel's layout of an access list: a 4-byte version, then entries of
// a 16-bit tag, 16-bit permissions and a 32-bit id, all little-endian.
constexpr std::size_t kListHeader = 4;
constexpr std::size_t kEntrySize = 8;
constexpr unsigned kOwnerEntry = 0x01;
constexpr unsigned kGroupEntry = 0x04;
constexpr unsigned kMaskEntry = 0x10;
constexpr unsigned kOtherEntry = 0x20;

unsigned Read16(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) |
           static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

}  // namespace

bool ReadAttributes(const std::filesystem::path& path, AttributeMap& attributes) {
    const char* name = path.c_str();
    return ReadAll([name](char* data, std::size_t size) { return ::listxattr(name, data, size); },
                   [name](const char* key, char* data, std::size_t size) {
                       return ::getxattr(name, key, data, size);
                   },
                   attributes);
}

bool ReadAttributes(int fd, AttributeMap& attributes) {
    return ReadAll([fd](char* data, std::size_t size) { return ::flistxattr(fd, data, size); },
                   [fd](const char* key, char* data, std::size_t size) {
                       return ::fgetxattr(fd, key, data, size);
                   },
                   attributes);
}

std::string InheritedAccessList(std::string list, mode_t mode) {
    bool hasMask = false;
    for (std::size_t at = kListHeader; at + kEntrySize <= list.size(); at += kEntrySize)
        hasMask = hasMask || Read16(list, at) == kMaskEntry;
    for (std::size_t at = kListHeader; at + kEntrySize <= list.size(); at += kEntrySize) {
        const unsigned tag = Read16(list, at);
        unsigned allowed = 07;
        if (tag == kOwnerEntry) allowed = (mode >> 6) & 07;
        if (tag == kMaskEntry || (tag == kGroupEntry && !hasMask)) allowed = (mode >> 3) & 07;
        if (tag == kOtherEntry) allowed = mode & 07;
        list[at + 2] = static_cast<char>(Read16(list, at + 2) & allowed);
        list[at + 3] = 0;
    }
    return list;
}
