#pragma once

#include <sys/types.h>

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

// Lets another thread stop a run: Cancel kills the engine processes that are
// running, and each next one as soon as it starts.
class CCancelToken {
  public:
    void Cancel();
    bool IsCancelled() const;
    // Kills the engine processes running now, leaving the run itself going:
    // a split run whose part failed needs no more of the others.
    void KillRunning();

    // Used by RunEngine around the life of each process.
    void Attach(pid_t pid);
    void Detach(pid_t pid);

  private:
    mutable std::mutex m_mutex;
    std::vector<pid_t> m_pids;
    bool m_cancelled = false;
};

struct EngineResult {
    enum Status { FINISHED, NOT_FOUND, NOT_STARTED, SIGNALLED, CANCELLED };
    Status status = NOT_STARTED;
    int exitCode = 0;       // FINISHED
    int signal = 0;         // SIGNALLED
    std::string errorText;  // NOT_FOUND, NOT_STARTED: why the start failed
};

// Runs `program` (looked up on PATH unless it holds a slash) with `arguments`
// in `folder`, and waits for it to end. Its input is /dev/null and its output
// and errors go to the file `logName` in that folder; it inherits no other
// open files.
EngineResult RunEngine(const std::string& program, const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder, const std::string& logName,
                       CCancelToken* cancel);
