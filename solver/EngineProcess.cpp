#include "solver/EngineProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

extern char** environ;

namespace {

std::string ErrorText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// Spawn attributes and file actions, released however the start goes.
struct SpawnSettings {
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    SpawnSettings() {
        posix_spawnattr_init(&attributes);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnSettings() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
};

}  // namespace

void CCancelToken::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    KillRunning();
}

void CCancelToken::KillRunning() {
    std::lock_guard lock(m_mutex);
    for (const pid_t pid : m_pids) ::kill(pid, SIGKILL);
}

bool CCancelToken::IsCancelled() const {
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

void CCancelToken::Attach(pid_t pid) {
    std::lock_guard lock(m_mutex);
    m_pids.push_back(pid);
    if (m_cancelled) ::kill(pid, SIGKILL);
}

void CCancelToken::Detach(pid_t pid) {
    std::lock_guard lock(m_mutex);
    m_pids.erase(std::find(m_pids.begin(), m_pids.end(), pid));
}

EngineResult RunEngine(const std::string& program, const std::vector<std::string>& arguments,
                       const std::filesystem::path& folder, const std::string& logName,
                       CCancelToken* cancel) {
    EngineResult result;
    if (cancel && cancel->IsCancelled()) {
        result.status = EngineResult::CANCELLED;
        return result;
    }
    // The child changes folder before it looks the program up, so a path
    // given relative to ours is made absolute first.
    std::string path = program;
    if (path.find('/') != std::string::npos) path = std::filesystem::absolute(path).string();
    const std::string log = (folder / logName).string();

    SpawnSettings settings;
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&settings.attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGQUIT);
    // NEC2d ignores it to see a write past the file-size limit fail; nec2c
    // is left the usual end.
    sigaddset(&signals, SIGXFSZ);
    posix_spawnattr_setsigdefault(&settings.attributes, &signals);
    posix_spawnattr_setflags(&settings.attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_addchdir_np(&settings.actions, folder.c_str());
    posix_spawn_file_actions_addopen(&settings.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&settings.actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&settings.actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&settings.actions, STDERR_FILENO + 1);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int error = posix_spawnp(&pid, path.c_str(), &settings.actions, &settings.attributes,
                                   argv.data(), environ);
    if (error != 0) {
        result.status = error == ENOENT ? EngineResult::NOT_FOUND : EngineResult::NOT_STARTED;
        result.errorText = ErrorText(error);
        return result;
    }
    if (cancel) cancel->Attach(pid);

    // Wait without reaping first, so that a cancel can never hit a process id
    // that the system has already handed to someone else.
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 &&
           errno == EINTR) {
    }
    if (cancel) cancel->Detach(pid);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    if (cancel && cancel->IsCancelled()) {
        result.status = EngineResult::CANCELLED;
    } else if (WIFSIGNALED(status)) {
        result.status = EngineResult::SIGNALLED;
        result.signal = WTERMSIG(status);
    } else {
        result.status = EngineResult::FINISHED;
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}
