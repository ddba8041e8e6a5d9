#include "nec/DeckCards.h"

#include "nec/TextModeReader.h"

namespace {

constexpr std::string_view kSeparators = " \t,\r\f\v";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int ImportCard::Integer(std::size_t index) const {
    return index < fields.size() ? Atoi(fields[index]) : 0;
}

double ImportCard::Real(std::size_t index) const {
    return index < fields.size() ? Atof(fields[index]) : 0.0;
}

bool ImportCard::IsComment() const {
    return mnemonic.starts_with("CM") || mnemonic.starts_with("CE");
}

bool CDeckCardReader::Next(ImportCard& card) {
    if (m_rest.empty()) return false;
    const std::size_t end = m_rest.find('\n');
    std::string_view line = m_rest.substr(0, end);
    m_rest = end == std::string_view::npos ? std::string_view() : m_rest.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);

    card.text = line;
    card.mnemonic.clear();
    card.fields.clear();
    bool first = true;
    for (std::size_t at = line.find_first_not_of(kSeparators); at != std::string_view::npos;
         at = line.find_first_not_of(kSeparators, at)) {
        const std::size_t stop = std::min(line.find_first_of(kSeparators, at), line.size());
        const std::string_view field = line.substr(at, stop - at);
        at = stop;
        if (!first) {
            card.fields.push_back(field);
            continue;
        }
        first = false;
        for (const char c : field) card.mnemonic += Upper(c);
        // A comment's text is not split into fields.
        if (card.IsComment()) break;
    }
    return true;
}
