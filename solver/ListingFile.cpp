#include "solver/ListingFile.h"

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

CListingFile::CListingFile(const std::filesystem::path& path) : m_file(path) {
    m_buffer.reserve(kBufferSize + 256);
}

void CListingFile::WriteLine(std::string_view line) {
    if (!m_file.IsGood()) return;
    m_buffer.append(line);
    m_buffer.append("\r\n");
    if (m_buffer.size() >= kBufferSize) Flush();
}

void CListingFile::Flush() {
    m_file.Write(m_buffer);
    m_buffer.clear();
}

bool CListingFile::Commit() {
    Flush();
    return m_file.Commit();
}
