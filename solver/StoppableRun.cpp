#include "solver/StoppableRun.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};
// How long exit() lets the runs clean up before it goes on regardless.
constexpr auto kLongestWindDown = std::chrono::seconds(10);

struct Runs {
    std::mutex mutex;
    std::condition_variable ended;
    std::vector<CCancelToken*> underWay;
    int signal = 0;        // the signal that stops NEC2d, once one came
    bool exiting = false;  // exit() was called
};

// Never destroyed: exit() and the threads it leaves behind still use it.
Runs& TheRuns() {
    static Runs* const runs = new Runs;
    return *runs;
}

void StopAll(const Runs& runs) {
    for (CCancelToken* token : runs.underWay) token->Cancel();
}

// Runs on a thread of its own, so that stopping may take locks, kill, wait
// and remove files, none of which a signal handler could do safely.
void WaitForStopSignal(sigset_t signals) {
    int signal = 0;
    if (::sigwait(&signals, &signal) != 0) return;
    Runs& runs = TheRuns();
    std::lock_guard lock(runs.mutex);
    runs.signal = signal;
    StopAll(runs);
    // With no run under way there is nothing to clean up; otherwise the last
    // run to wind down ends NEC2d.
    if (runs.underWay.empty()) ::_exit(kExitStoppedBase + signal);
}

void StopRunsAtExit() {
    Runs& runs = TheRuns();
    std::unique_lock lock(runs.mutex);
    runs.exiting = true;
    StopAll(runs);
    runs.ended.wait_for(lock, kLongestWindDown, [&runs] { return runs.underWay.empty(); });
}

}  // namespace

void HandleStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    bool any = false;
    for (const int signal : kStopSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
        sigaddset(&signals, signal);
        any = true;
    }
    if (any) {
        ::pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        std::thread(WaitForStopSignal, signals).detach();
    }
    std::atexit(StopRunsAtExit);
}

CStoppableRun::CStoppableRun(CCancelToken& token) : m_token(token) {
    Runs& runs = TheRuns();
    std::lock_guard lock(runs.mutex);
    runs.underWay.push_back(&m_token);
    if (runs.signal != 0 || runs.exiting) m_token.Cancel();
}

CStoppableRun::~CStoppableRun() {
    Runs& runs = TheRuns();
    std::unique_lock lock(runs.mutex);
    runs.underWay.erase(std::find(runs.underWay.begin(), runs.underWay.end(), &m_token));
    if (!runs.underWay.empty()) return;
    if (runs.signal != 0) ::_exit(kExitStoppedBase + runs.signal);
    if (runs.exiting) {
        runs.ended.notify_all();
        // The exit under way ends this thread with the others; going on
        // could touch what exit() is tearing down.
        runs.ended.wait(lock, [] { return false; });
    }
}
