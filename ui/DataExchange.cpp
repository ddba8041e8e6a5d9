#include "ui/DataExchange.h"

#include <QLineEdit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "ui/MessageBox.h"

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A leading '+' is allowed on entry, though from_chars does not take it.
std::string_view SkipPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

bool IsDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
        std::size_t exponentDigits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i, ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

QString NumberMessage() { return QStringLiteral("Please enter a number."); }

QString NumberRangeMessage(double min, double max) {
    return QStringLiteral("Please enter a number between %1 and %2.")
        .arg(FormatDialogNumber(min), FormatDialogNumber(max));
}

}  // namespace

QString FormatDialogNumber(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString FormatDialogInteger(int value) { return QString::number(value); }

std::optional<float> ParseDialogNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (!IsDecimalNumber(text)) return std::nullopt;
    text = SkipPlus(text);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is no number a field can hold.
        if (std::fabs(value) < 1.0) return 0.0f;
        return std::nullopt;
    }
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    if (std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(value);
}

std::optional<int> ParseDialogInteger(std::string_view text) {
    text = SkipPlus(TrimBlanks(text));
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

QString CheckDialogNumber(const QString& text, double min, double max, float& value) {
    const std::optional<float> parsed = ParseDialogNumber(text.toStdString());
    if (!parsed) return NumberMessage();
    if (!(min <= *parsed && *parsed <= max)) return NumberRangeMessage(min, max);
    value = *parsed;
    return {};
}

void CDataExchange::Number(QLineEdit* field, float& value) {
    if (!m_ok) return;
    const std::optional<float> parsed = ParseDialogNumber(field->text().toStdString());
    if (!parsed) return Fail(field, NumberMessage());
    value = *parsed;
}

void CDataExchange::Integer(QLineEdit* field, int& value) {
    if (!m_ok) return;
    const std::optional<int> parsed = ParseDialogInteger(field->text().toStdString());
    if (!parsed) return Fail(field, QStringLiteral("Please enter an integer."));
    value = *parsed;
}

void CDataExchange::IntegerRange(QLineEdit* field, int value, int min, int max) {
    if (!m_ok || (min <= value && value <= max)) return;
    Fail(field, QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max));
}

void CDataExchange::NumberRange(QLineEdit* field, double value, double min, double max) {
    if (!m_ok || (min <= value && value <= max)) return;
    Fail(field, NumberRangeMessage(min, max));
}

void CDataExchange::Fail(QLineEdit* field, const QString& message) {
    m_ok = false;
    ShowQuadrellMessage(m_dialog, message);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
