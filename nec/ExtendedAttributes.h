#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>

// The extended attributes of a file by name, values as raw bytes. Access
// control lists are among them: system.posix_acl_access on a file,
// system.posix_acl_default on a folder.
using AttributeMap = std::map<std::string, std::string>;

inline constexpr const char* kAccessListName = "system.posix_acl_access";
inline constexpr const char* kDefaultListName = "system.posix_acl_default";

// Reads every attribute the caller may see; a file system without extended
// attributes has none. False, with errno set, when they cannot be read.
bool ReadAttributes(const std::filesystem::path& path, AttributeMap& attributes);
bool ReadAttributes(int fd, AttributeMap& attributes);

// The access list a file created with `mode` in a folder with the default
// list `folderDefault` receives: the default list with its owner, mask (or
// group, without a mask) and other entries narrowed to `mode`.
std::string InheritedAccessList(std::string folderDefault, mode_t mode);
