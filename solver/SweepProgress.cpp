#include "solver/SweepProgress.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <numeric>
#include <string_view>

#include "solver/SweepSplit.h"

namespace {

constexpr auto kLookEvery = std::chrono::milliseconds(200);
// Read at most this much of an output at one look.
constexpr std::size_t kLargestLook = 1 << 20;

}  // namespace

CSweepProgress::CSweepProgress(std::vector<std::filesystem::path> outputs, std::vector<long> steps,
                               Report report)
    : m_report(std::move(report)) {
    for (std::size_t k = 0; k < outputs.size() && k < steps.size(); ++k) {
        Part part;
        part.output = std::move(outputs[k]);
        part.steps = steps[k];
        m_parts.push_back(std::move(part));
        m_total += steps[k];
    }
    if (m_report) m_watcher = std::thread(&CSweepProgress::Watch, this);
}

CSweepProgress::~CSweepProgress() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stop.notify_all();
    if (m_watcher.joinable()) m_watcher.join();
}

void CSweepProgress::PartSolved(std::size_t part) {
    std::lock_guard lock(m_mutex);
    m_parts.at(part).solved = m_parts[part].steps;
    Tell();
}

void CSweepProgress::Watch() {
    std::unique_lock lock(m_mutex);
    while (!m_stop.wait_for(lock, kLookEvery, [this] { return m_stopping; })) {
        for (Part& part : m_parts) {
            if (part.solved < part.steps) Look(part);
        }
        Tell();
    }
}

void CSweepProgress::Look(Part& part) {
    std::ifstream file(part.output, std::ios::binary);
    if (!file) return;
    file.seekg(static_cast<std::streamoff>(part.read));
    std::string text = part.tail;
    const std::size_t kept = text.size();
    text.resize(kept + kLargestLook);
    file.read(text.data() + kept, static_cast<std::streamsize>(kLargestLook));
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
    text.resize(kept + got);
    part.read += got;
    for (std::size_t at = text.find(kFrequencyTitle); at != std::string::npos;
         at = text.find(kFrequencyTitle, at + kFrequencyTitle.size()))
        ++part.titles;
    // A title cut by the end of what was read is counted at the next look.
    const std::size_t keep = std::min(text.size(), kFrequencyTitle.size() - 1);
    part.tail = text.substr(text.size() - keep);
    // The last title seen opens the frequency still being solved.
    part.solved = std::max(part.solved, std::min(part.titles - 1, part.steps));
}

void CSweepProgress::Tell() {
    long solved = 0;
    for (const Part& part : m_parts) solved += part.solved;
    while (m_report && m_told < solved) m_report(++m_told, m_total);
}
