#include "nec/TextModeReader.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

std::string_view CTextModeReader::Characters(std::size_t count) {
    if (m_position >= m_bytes.size()) return {};
    const std::size_t available = m_bytes.size() - m_position;
    const std::size_t raw = std::min(count, available);
    const char* start = m_bytes.data() + m_position;
    // Without a carriage return in reach the characters are the bytes.
    if (std::memchr(start, '\r', raw) == nullptr) {
        m_position += raw;
        return {start, raw};
    }
    m_buffer.clear();
    while (m_buffer.size() < count && m_position < m_bytes.size()) {
        const char c = m_bytes[m_position];
        if (c == '\r' && m_position + 1 < m_bytes.size() && m_bytes[m_position + 1] == '\n') {
            m_buffer.push_back('\n');
            m_position += 2;
        } else {
            m_buffer.push_back(c);
            ++m_position;
        }
    }
    return m_buffer;
}

std::string_view CTextModeReader::Line(std::size_t limit) {
    if (m_position >= m_bytes.size() || limit < 2) return {};
    const std::size_t most = limit - 1;
    const std::size_t available = m_bytes.size() - m_position;
    const char* start = m_bytes.data() + m_position;
    // A line feed one byte beyond the limit still ends the line when the
    // byte before it is its carriage return: the pair is one character.
    const std::size_t reach = std::min(most + 1, available);
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', reach));
    if (feed != nullptr) {
        const std::size_t at = static_cast<std::size_t>(feed - start);
        const bool pair = at > 0 && start[at - 1] == '\r';
        if (pair || at < most) {
            m_position += at + 1;
            if (!pair) return {start, at + 1};
            m_buffer.assign(start, at - 1);
            m_buffer.push_back('\n');
            return m_buffer;
        }
    }
    const std::size_t length = std::min(most, available);
    m_position += length;
    return {start, length};
}

std::string_view CBlankTokens::Next() {
    std::size_t begin = 0;
    while (begin < m_text.size() && m_text[begin] == ' ') ++begin;
    std::size_t end = begin;
    while (end < m_text.size() && m_text[end] != ' ') ++end;
    const std::string_view token = m_text.substr(begin, end - begin);
    m_text.remove_prefix(end);
    return token;
}

std::string_view FirstToken(std::string_view line) { return CBlankTokens(line).Next(); }

namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double Atof(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsCSpace(text[i])) ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    const std::size_t mantissa = i;
    while (i < n && IsDigit(text[i])) ++i;
    std::size_t point = i;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i])) ++i;
    }
    const std::size_t digits = i - mantissa - (point < i ? 1 : 0);
    if (digits == 0) return 0.0;

    long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) {
                exponent = std::min(exponent * 10 + (text[j] - '0'), 1000000L);
                ++j;
            }
            if (negativeExponent) exponent = -exponent;
            i = j;
        }
    }

    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data() + mantissa, text.data() + i, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: which one the position of the
        // first significant digit and the exponent tell.
        std::size_t first = mantissa;
        while (first < i && (text[first] == '0' || text[first] == '.')) ++first;
        const long scale =
            first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point);
        value = scale + exponent > 0 ? HUGE_VAL : 0.0;
    } else if (error != std::errc() || end != text.data() + i) {
        value = 0.0;
    }
    return negative ? -value : value;
}

std::optional<std::string> LoadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    // Whatever the size said, read on to the end.
    char chunk[1 << 16];
    while (in && (in.read(chunk, sizeof chunk), in.gcount() > 0)) bytes.append(chunk, in.gcount());
    if (in.bad()) return std::nullopt;
    return bytes;
}
