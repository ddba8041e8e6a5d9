#include "solver/Nec2cColumns.h"

#include <charconv>
#include <cmath>

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 100 + 16);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view FieldText(std::string_view line, Column column) {
    const auto size = static_cast<int>(line.size());
    if (column.begin >= size) return {};
    std::string_view field = line.substr(static_cast<std::size_t>(column.begin),
                                         static_cast<std::size_t>(column.end - column.begin));
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    return field;
}

bool ParseDouble(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

bool ParseSegmentRow(std::string_view line, SegmentRecord& segment) {
    if (line.size() != kSegmentRowLength) return false;
    double tag = 0;
    double number = 0;
    const bool read = ParseDouble(FieldText(line, {0, 6}), number) &&
                      ParseDouble(FieldText(line, {6, 16}), segment.x) &&
                      ParseDouble(FieldText(line, {16, 26}), segment.y) &&
                      ParseDouble(FieldText(line, {26, 36}), segment.z) &&
                      ParseDouble(FieldText(line, {36, 46}), segment.length) &&
                      ParseDouble(FieldText(line, {46, 56}), segment.alpha) &&
                      ParseDouble(FieldText(line, {56, 66}), segment.beta) &&
                      ParseDouble(FieldText(line, {66, 76}), segment.radius) &&
                      ParseDouble(FieldText(line, {94, 100}), tag);
    if (!read) return false;
    segment.tag = std::lround(tag);
    return true;
}
