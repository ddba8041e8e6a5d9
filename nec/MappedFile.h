#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// The bytes of a regular file, mapped read-only and private, and unmapped
// with their owner. A listing of hundreds of megabytes is read where it lies
// rather than copied, and a file larger than memory costs address space only.
class CMappedFile {
  public:
    // Maps the regular file at `path` (see OpenRegularFile); Error() says why
    // when it cannot.
    explicit CMappedFile(const std::filesystem::path& path);
    ~CMappedFile();
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    // Why the file is not mapped; empty when it is.
    const std::string& Error() const { return m_error; }

    // Hands the bytes to `use`, when there are any to hand: Error() when the
    // file is not mapped. Another program may shorten the file in the
    // meantime, and a page beyond its new end would end this program with a
    // bus error; such pages read as zeros instead. Why the bytes `use` saw
    // are not the file's, or empty when they are.
    std::string Read(const std::function<void(std::string_view)>& use) const;

  private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::string m_error;
};
