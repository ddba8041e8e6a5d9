#include "nec/TextModeReader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

std::string_view CTextModeReader::CharactersWithPairs(std::size_t count) {
    if (m_position >= m_bytes.size()) return {};
    const std::size_t available = m_bytes.size() - m_position;
    const std::size_t raw = std::min(count, available);
    const char* start = m_bytes.data() + m_position;
    if (std::find(start, start + raw, '\r') == start + raw) {
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

// Moves `p` over leading white space and a sign; true when the sign is minus.
bool SkipSpaceAndSign(const char*& p, const char* end) {
    while (p < end && IsCSpace(*p)) ++p;
    if (p < end && (*p == '+' || *p == '-')) return *p++ == '-';
    return false;
}

}  // namespace

double Atof(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = SkipSpaceAndSign(p, end);

    // The digits as one integer (while at most 19 of them) and the power of
    // ten that scales it.
    const char* const mantissa = p;
    std::uint64_t digitsValue = 0;
    while (p < end && IsDigit(*p))
        digitsValue = digitsValue * 10 + static_cast<unsigned>(*p++ - '0');
    const char* const point = p;
    long scale = 0;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        while (p < end && IsDigit(*p)) {
            digitsValue = digitsValue * 10 + static_cast<unsigned>(*p++ - '0');
        }
        scale = -(p - fraction);
    }
    const long digits = (point - mantissa) - scale;
    if (digits == 0) return 0.0;

    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negativeExponent = false;
        if (q < end && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
        if (q < end && IsDigit(*q)) {
            while (q < end && IsDigit(*q))
                exponent = std::min(exponent * 10 + (*q++ - '0'), 1000000L);
            if (negativeExponent) exponent = -exponent;
            p = q;
        }
    }

    // The printed numbers of a listing come this way: an integer and a power
    // of ten both held exactly in a double give the correctly rounded value
    // in one multiplication or division.
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long power = scale + exponent;
    double value = 0.0;
    if (digits <= 19 && digitsValue <= (std::uint64_t{1} << 53) && power >= -22 && power <= 22) {
        value = static_cast<double>(digitsValue);
        value = power >= 0 ? value * kPowers[power] : value / kPowers[-power];
        return negative ? -value : value;
    }

    const auto [stop, error] = std::from_chars(mantissa, p, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: which one the place of the
        // first significant digit and the exponent tell.
        const char* first = mantissa;
        while (first < p && (*first == '0' || *first == '.')) ++first;
        const long place = first < point ? point - first : -(first - point);
        value = place + exponent > 0 ? HUGE_VAL : 0.0;
    } else if (error != std::errc() || stop != p) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int Atoi(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = SkipSpaceAndSign(p, end);
    // One beyond the int range is enough to know that it is beyond.
    constexpr long long kBeyond = static_cast<long long>(INT_MAX) + 2;
    long long value = 0;
    while (p < end && IsDigit(*p)) value = std::min(value * 10 + (*p++ - '0'), kBeyond);
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}
