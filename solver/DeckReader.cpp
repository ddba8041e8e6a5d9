#include "solver/DeckReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr std::string_view kGeometryCards[] = {"GA", "GC", "GE", "GF", "GH", "GM", "GR",
                                               "GS", "GW", "GX", "SC", "SM", "SP"};
constexpr std::string_view kControlCards[] = {"CP", "EK", "EN", "EX", "FR", "GD", "GN",
                                              "KH", "LD", "NE", "NH", "NT", "NX", "PL",
                                              "PQ", "PT", "RP", "TL", "WG", "XQ"};

// Far more cards than nec2c could solve in a lifetime, but a bound: a card
// of three bytes takes some 160 bytes once read, and a deck may be 64 MB.
constexpr std::size_t kMostCards = 1000000;

// nec2c reads at most 132 characters of a card and garbles longer comments.
constexpr std::size_t kLongestCard = 132;
constexpr std::size_t kLongestCommentText = 76;

bool Contains(const std::string_view* begin, const std::string_view* end, std::string_view name) {
    return std::find(begin, end, name) != end;
}

bool IsComment(std::string_view mnemonic) { return mnemonic == "CM" || mnemonic == "CE"; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
bool IsSeparator(char c) { return IsBlank(c) || c == ','; }

// Splits the first `most` fields after the mnemonic; the rest are ignored, and
// a line of millions of them costs nothing. Blanks and tabs separate fields,
// and so does one comma with blanks around it; two commas in a row leave an
// empty field between them, which reads as 0.
std::vector<std::string_view> SplitFields(std::string_view rest, std::size_t most) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (fields.size() < most) {
        while (i < rest.size() && IsBlank(rest[i])) ++i;
        if (i >= rest.size()) break;
        const std::size_t start = i;
        while (i < rest.size() && !IsSeparator(rest[i])) ++i;
        fields.push_back(rest.substr(start, i - start));
        while (i < rest.size() && IsBlank(rest[i])) ++i;
        if (i < rest.size() && rest[i] == ',') ++i;
    }
    return fields;
}

// A number as NEC2 decks write them: C syntax, a leading "+", or a Fortran
// "D" exponent. The whole field must be the number.
bool ParseNumber(std::string_view field, double& value) {
    if (field.empty()) {
        value = 0;
        return true;
    }
    std::string text(field);
    if (text.front() == '+') text.erase(0, 1);
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == 'd' || c == 'D'; }, 'E');
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && std::isfinite(value);
}

std::string LinePrefix(int lineNumber) { return "Line " + std::to_string(lineNumber) + ": "; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

bool ReadFields(DeckCard& card, std::string_view rest, std::string& error) {
    const CardLayout layout = LayoutOf(card.mnemonic);
    const std::vector<std::string_view> fields =
        SplitFields(rest, static_cast<std::size_t>(layout.integers + layout.reals));
    const int used = static_cast<int>(fields.size());
    for (int i = 0; i < used; ++i) {
        double value = 0;
        if (!ParseNumber(fields[i], value)) {
            error = LinePrefix(card.lineNumber) + "field " + std::to_string(i + 1) + " of the " +
                    card.mnemonic + " card, " + Quoted(fields[i]) + ", is not a number.";
            return false;
        }
        if (i < layout.integers) {
            if (value != std::trunc(value) || std::fabs(value) > std::numeric_limits<int>::max()) {
                error = LinePrefix(card.lineNumber) + "field " + std::to_string(i + 1) +
                        " of the " + card.mnemonic + " card must be a whole number, not " +
                        Quoted(fields[i]) + ".";
                return false;
            }
            card.integers[i] = static_cast<long>(value);
        } else {
            card.reals[i - layout.integers] = value;
        }
    }
    return true;
}

// Long comments are carried on several CM cards; a CE keeps the last piece.
void AddComment(std::vector<DeckCard>& cards, DeckCard card) {
    // The pieces are cut from a view that moves on, so that a long comment
    // costs time in proportion to its length.
    const std::string whole = std::move(card.comment);
    std::string_view text = whole;
    while (text.size() > kLongestCommentText) {
        std::size_t cut = text.rfind(' ', kLongestCommentText);
        if (cut == std::string_view::npos || cut == 0) cut = kLongestCommentText;
        DeckCard piece = card;
        piece.mnemonic = "CM";
        piece.comment = std::string(text.substr(0, cut));
        cards.push_back(std::move(piece));
        text.remove_prefix(cut);
    }
    card.comment = std::string(text);
    cards.push_back(std::move(card));
}

std::string RealText(double value, int precision) {
    char buffer[64];
    if (precision == 0) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    }
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    return buffer;
}

std::string CardText(const DeckCard& card, int precision) {
    if (IsComment(card.mnemonic)) return card.mnemonic + card.comment;
    const CardLayout layout = LayoutOf(card.mnemonic);
    std::string line = card.mnemonic;
    for (int i = 0; i < layout.integers; ++i) line += " " + std::to_string(card.integers[i]);
    for (int i = 0; i < layout.reals; ++i) line += " " + RealText(card.reals[i], precision);
    return line;
}

}  // namespace

bool IsKnownCard(std::string_view mnemonic) {
    return IsComment(mnemonic) || IsGeometryCard(mnemonic) ||
           Contains(std::begin(kControlCards), std::end(kControlCards), mnemonic);
}

bool IsGeometryCard(std::string_view mnemonic) {
    return Contains(std::begin(kGeometryCards), std::end(kGeometryCards), mnemonic);
}

CardLayout LayoutOf(std::string_view mnemonic) {
    if (IsGeometryCard(mnemonic)) return {2, 7};
    if (Contains(std::begin(kControlCards), std::end(kControlCards), mnemonic)) return {4, 6};
    return {};
}

DeckReadResult ReadDeck(std::string_view text) {
    DeckReadResult result;
    int lineNumber = 0;
    bool ended = false;
    // Lines are taken one at a time: a list of them all would cost 16 bytes
    // for each line of a deck that is nothing but line ends.
    while (!text.empty() && !ended) {
        const std::size_t feed = text.find('\n');
        std::string_view line = text.substr(0, feed);
        text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        std::size_t start = 0;
        while (start < line.size() && IsBlank(line[start])) ++start;
        if (start == line.size()) continue;
        line.remove_prefix(start);

        DeckCard card;
        card.lineNumber = lineNumber;
        card.mnemonic = std::string(line.substr(0, 2));
        for (char& c : card.mnemonic) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        if (!IsKnownCard(card.mnemonic)) {
            result.errorText =
                LinePrefix(lineNumber) + "unknown card " + Quoted(line.substr(0, 2)) + ".";
            return result;
        }
        const std::string_view rest = line.substr(2);
        if (IsComment(card.mnemonic)) {
            // A carriage return left in a comment (a line end written twice)
            // is no text; nec2c would copy it into the listing.
            card.comment = std::string(rest);
            std::replace(card.comment.begin(), card.comment.end(), '\r', ' ');
            AddComment(result.cards, std::move(card));
        } else {
            if (!ReadFields(card, rest, result.errorText)) return result;
            ended = card.mnemonic == "EN";
            result.cards.push_back(std::move(card));
        }
        if (result.cards.size() > kMostCards) {
            result.errorText = LinePrefix(lineNumber) + "a deck may hold at most " +
                               std::to_string(kMostCards) + " cards.";
            return result;
        }
    }
    if (result.cards.empty()) {
        result.errorText = "The deck holds no cards.";
        return result;
    }
    if (!ended) {
        DeckCard end;
        end.mnemonic = "EN";
        result.cards.push_back(std::move(end));
    }
    result.ok = true;
    return result;
}

std::string CleanDeckText(const std::vector<DeckCard>& cards) {
    std::string text;
    for (const DeckCard& card : cards) {
        // The shortest exact form nearly always fits; a pathological card gives
        // up digits until nec2c can read it whole.
        std::string line = CardText(card, 0);
        for (int precision = 17; line.size() > kLongestCard && precision >= 6; --precision) {
            line = CardText(card, precision);
        }
        text += line;
        text += '\n';
    }
    return text;
}
