#include "solver/SweepSplit.h"

#include <sched.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kCardEcho = "  DATA CARD No:";
// nec2c echoes a program card as "  DATA CARD No: %3d %2s %3d %5d ...": the
// mnemonic, then the number of steps of an FR card, stand at fixed columns.
constexpr std::size_t kEchoMnemonic = 20;
constexpr std::size_t kEchoSteps = 26;
constexpr std::size_t kEchoStepsWidth = 6;

// Near-field requests (NE, NH) in a sweep are not run by the frequency loop
// the way XQ and RP are, so they stay out of split runs.
constexpr std::string_view kRequestCards[] = {"XQ", "RP"};
// Cards that set up what every frequency of the loop uses alike. Networks and
// transmission lines (NT, TL) are not among them: nec2c's network solution
// gives the smallest figures of a sweep (network losses near 1e-18 W, fields
// near 1e-13) other last digits when the sweep is solved in parts.
constexpr std::string_view kSettingCards[] = {"EX", "LD", "GN", "GD", "PT",
                                              "PQ", "KH", "EK", "FR"};

bool OneOf(std::string_view name, const auto& names) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// The impedance normalisation digit of an EX card: its table is printed after
// the loop, from all the frequencies.
bool NormalisesImpedance(const DeckCard& card) { return card.integers[3] % 10 != 0; }

// nec2c keeps a Sommerfeld ground's interpolation tables from one frequency
// to the next, so a part starting in mid-sweep would solve another ground.
bool IsSommerfeldGround(const DeckCard& card) { return card.integers[0] == 2; }

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\r')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

struct Line {
    std::size_t begin = 0;
    std::string_view text;  // without its line end
};

std::vector<Line> LinesOf(std::string_view output) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < output.size()) {
        std::size_t end = output.find('\n', begin);
        if (end == std::string_view::npos) end = output.size();
        lines.push_back({begin, output.substr(begin, end - begin)});
        begin = end + 1;
    }
    return lines;
}

// One part's output cut in three: what nec2c says once before the loop, the
// frequencies, and what it says after.
struct OutputPieces {
    std::string_view opening;
    std::string_view frequencies;
    std::string_view close;
    std::size_t frequencyEcho = 0;  // offset of the FR card's echo in `opening`
    long frequencyCount = 0;
};

bool CutOutput(std::string_view output, OutputPieces& pieces) {
    const std::vector<Line> lines = LinesOf(output);
    std::size_t first = lines.size();
    std::size_t last = 0;
    pieces.frequencyCount = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (Trimmed(lines[i].text) != kFrequencyTitle) continue;
        if (first == lines.size()) first = i;
        last = i;
        ++pieces.frequencyCount;
    }
    if (first == lines.size()) return false;
    // The blank lines above a frequency's title are printed with it.
    while (first > 0 && Trimmed(lines[first - 1].text).empty()) --first;
    std::size_t close = lines.size();
    while (close > last + 1 && !lines[close - 1].text.starts_with(kCardEcho)) --close;
    if (close == last + 1) return false;
    --close;
    // A run of one frequency ends it with blank lines that a longer run does
    // not print.
    std::size_t end = close;
    if (pieces.frequencyCount == 1) {
        while (end > last + 1 && Trimmed(lines[end - 1].text).empty()) --end;
    }

    pieces.opening = output.substr(0, lines[first].begin);
    pieces.frequencies = output.substr(lines[first].begin, lines[end].begin - lines[first].begin);
    pieces.close = output.substr(lines[close].begin);
    int echoes = 0;
    for (std::size_t i = 0; i < first; ++i) {
        const std::string_view text = lines[i].text;
        if (text.starts_with(kCardEcho) && text.substr(kEchoMnemonic, 2) == "FR") {
            pieces.frequencyEcho = lines[i].begin;
            ++echoes;
        }
    }
    return echoes == 1;
}

std::string StepsField(long steps) {
    char field[32];
    std::snprintf(field, sizeof field, " %5ld", steps);
    return field;
}

}  // namespace

std::optional<SweepShape> SplittableSweep(const std::vector<DeckCard>& cards) {
    std::optional<SweepShape> sweep;
    bool inProgram = false;
    bool requested = false;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const DeckCard& card = cards[i];
        if (card.mnemonic == "CM" || card.mnemonic == "CE") continue;
        if (!inProgram) {
            if (card.mnemonic == "GF") return std::nullopt;
            inProgram = card.mnemonic == "GE";
            continue;
        }
        if (card.mnemonic == "EN") break;
        if (requested) return std::nullopt;
        if (OneOf(card.mnemonic, kRequestCards)) {
            if (!sweep) return std::nullopt;
            requested = true;
        } else if (!OneOf(card.mnemonic, kSettingCards)) {
            return std::nullopt;
        } else if ((card.mnemonic == "EX" && NormalisesImpedance(card)) ||
                   (card.mnemonic == "GN" && IsSommerfeldGround(card))) {
            return std::nullopt;
        } else if (card.mnemonic == "FR") {
            const long stepping = card.integers[0];
            if (sweep || (stepping != 0 && stepping != 1) || card.integers[1] < 2)
                return std::nullopt;
            sweep = SweepShape{i, card.integers[1]};
        }
    }
    if (!requested) return std::nullopt;
    return sweep;
}

std::vector<long> PartSteps(long steps, std::size_t parts) {
    parts = std::clamp<std::size_t>(parts, 1, static_cast<std::size_t>(std::max(steps, 1L)));
    const long count = static_cast<long>(parts);
    std::vector<long> split(parts, steps / count);
    for (long k = 0; k < steps % count; ++k) ++split[static_cast<std::size_t>(k)];
    return split;
}

std::vector<std::vector<DeckCard>> SplitSweep(const std::vector<DeckCard>& cards,
                                              const SweepShape& sweep,
                                              const std::vector<long>& steps) {
    const DeckCard& card = cards[sweep.frequencyCard];
    const bool multiplies = card.integers[0] == 1;
    const double step = card.reals[1];
    double frequency = card.reals[0];
    std::vector<std::vector<DeckCard>> decks;
    for (const long count : steps) {
        decks.push_back(cards);
        DeckCard& part = decks.back()[sweep.frequencyCard];
        part.integers[1] = count;
        part.reals[0] = frequency;
        for (long k = 0; k < count; ++k)
            frequency = multiplies ? frequency * step : frequency + step;
    }
    return decks;
}

bool JoinSweepOutputs(const std::vector<std::string>& outputs, const std::vector<long>& steps,
                      std::string& joined) {
    if (outputs.empty() || outputs.size() != steps.size()) return false;
    std::vector<OutputPieces> pieces(outputs.size());
    long total = 0;
    std::size_t size = 0;
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        if (!CutOutput(outputs[k], pieces[k]) || pieces[k].frequencyCount != steps[k]) return false;
        total += steps[k];
        size += pieces[k].frequencies.size();
    }
    // The openings differ in the FR card's echo alone.
    const auto withoutEcho = [](const OutputPieces& piece) {
        const std::string_view opening = piece.opening;
        const std::size_t end = opening.find('\n', piece.frequencyEcho);
        return std::make_pair(opening.substr(0, piece.frequencyEcho),
                              end == std::string_view::npos ? "" : opening.substr(end));
    };
    for (const OutputPieces& piece : pieces) {
        if (withoutEcho(piece) != withoutEcho(pieces.front())) return false;
    }

    const OutputPieces& first = pieces.front();
    const std::size_t field = first.frequencyEcho + kEchoSteps;
    if (field + kEchoStepsWidth > first.opening.size() ||
        first.opening.substr(field, kEchoStepsWidth) != StepsField(steps.front()))
        return false;
    joined.clear();
    joined.reserve(first.opening.size() + size + pieces.back().close.size() + 8);
    joined.append(first.opening.substr(0, field));
    joined.append(StepsField(total));
    joined.append(first.opening.substr(field + kEchoStepsWidth));
    for (const OutputPieces& piece : pieces) joined.append(piece.frequencies);
    joined.append(pieces.back().close);
    return true;
}

int AvailableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return std::max(1, CPU_COUNT(&set));
}
