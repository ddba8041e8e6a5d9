#include "nec/DrawingComment.h"

#include <charconv>
#include <cmath>

#include "model/CardNumber.h"

namespace {

constexpr std::string_view kPrefix = "CM Drawing plane ";
constexpr std::string_view kHeight = ", origin height ";
constexpr std::string_view kUnit = " m";

}  // namespace

std::string DrawingCommentCard(const GroundSettings& ground) {
    if (ground.plane == DrawingPlane::HORIZONTAL && ground.originHeight == 0.0) return {};
    std::string card(kPrefix);
    card += ground.plane == DrawingPlane::UPRIGHT ? "X-Z" : "X-Y";
    card += kHeight;
    card += FormatCardNumber(ground.originHeight);
    card += kUnit;
    return card;
}

std::optional<DrawingComment> ReadDrawingComment(std::string_view line) {
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    if (!line.starts_with(kPrefix) || !line.ends_with(kUnit)) return std::nullopt;
    line.remove_prefix(kPrefix.size());
    line.remove_suffix(kUnit.size());

    DrawingComment comment;
    if (line.starts_with("X-Z"))
        comment.plane = DrawingPlane::UPRIGHT;
    else if (!line.starts_with("X-Y"))
        return std::nullopt;
    line.remove_prefix(3);
    if (!line.starts_with(kHeight)) return std::nullopt;
    line.remove_prefix(kHeight.size());

    const char* end = line.data() + line.size();
    const auto [stop, error] = std::from_chars(line.data(), end, comment.originHeight);
    if (error != std::errc() || stop != end || !std::isfinite(comment.originHeight))
        return std::nullopt;
    return comment;
}
