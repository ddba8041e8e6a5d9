#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Counts the frequencies of a sweep that nec2c has solved, while it runs, from
// the outputs its processes write: each frequency's results open with a
// "FREQUENCY" title, so a part that shows n titles has solved n - 1 of its
// steps, and all of them once it ends. A thread of its own looks at the
// outputs a few times a second. Every frequency solved is told once, in
// order, one call at a time.
class CSweepProgress {
  public:
    using Report = std::function<void(long solved, long total)>;

    // One part per output file, with the steps it solves; `report` may be
    // empty, and then nothing is watched.
    CSweepProgress(std::vector<std::filesystem::path> outputs, std::vector<long> steps,
                   Report report);
    // Stops watching; tells nothing more.
    ~CSweepProgress();
    CSweepProgress(const CSweepProgress&) = delete;
    CSweepProgress& operator=(const CSweepProgress&) = delete;

    // Part `part` ended well: all its steps are solved.
    void PartSolved(std::size_t part);

  private:
    struct Part {
        std::filesystem::path output;
        long steps = 0;
        long titles = 0;
        long solved = 0;
        std::uintmax_t read = 0;  // bytes of the output looked at so far
        std::string tail;         // their end, where a title may begin
    };
    void Watch();
    void Look(Part& part);
    void Tell();  // with m_mutex held

    std::vector<Part> m_parts;
    Report m_report;
    long m_total = 0;
    long m_told = 0;
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    std::thread m_watcher;
};
