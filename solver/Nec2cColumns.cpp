#include "solver/Nec2cColumns.h"

#include <charconv>
#include <cmath>

#include "nec/TextModeReader.h"

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

// Unlike the other tables, nec2c prints a blank before every field of a
// segment row, so a value too wide for its column (a coordinate of -1000 m or
// less) pushes the rest of the row to the right rather than running into the
// field before it: the fields are the row's words.
bool ParseSegmentRow(std::string_view line, SegmentRecord& segment) {
    std::string_view fields[kSegmentRowFields];
    CBlankTokens words(line);
    for (std::string_view& field : fields) field = words.Next();
    if (fields[kSegmentRowFields - 1].empty() || !words.Next().empty()) return false;
    double tag = 0;
    double number = 0;
    const bool read = ParseDouble(fields[0], number) && ParseDouble(fields[1], segment.x) &&
                      ParseDouble(fields[2], segment.y) && ParseDouble(fields[3], segment.z) &&
                      ParseDouble(fields[4], segment.length) &&
                      ParseDouble(fields[5], segment.alpha) &&
                      ParseDouble(fields[6], segment.beta) &&
                      ParseDouble(fields[7], segment.radius) && ParseDouble(fields[11], tag);
    if (!read) return false;
    segment.tag = std::lround(tag);
    return true;
}
