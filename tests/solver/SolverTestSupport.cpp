#include "tests/solver/SolverTestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "solver/DeckReader.h"
#include "tests/solver/ListingReaderEmulation.h"

extern char** environ;

namespace fs = std::filesystem;

CTestFolder::CTestFolder() {
    std::string pattern = (fs::temp_directory_path() / "nec2d-test.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

CTestFolder::~CTestFolder() {
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

fs::path SolverDataFile(const std::string& name) {
    return fs::path(QUADRELL_TEST_DATA_DIR) / "solver" / name;
}

bool IsOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (::access((fs::path(folder.empty() ? "." : folder) / program).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

void WriteTextFile(const fs::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
}

void WriteScript(const fs::path& path, const std::string& body) {
    WriteTextFile(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
}

std::string Nec2cOwnOutput(const fs::path& deck) {
    const DeckReadResult read = ReadDeck(ReadFileBytes(deck.string()));
    if (!read.ok) return {};
    CTestFolder folder;
    WriteTextFile(folder / "own.nec", CleanDeckText(read.cards));
    const ProgramRun run = RunProgram("nec2c", {"-iown.nec", "-oown.out"}, folder.Path());
    if (run.exitCode != 0) return {};
    return ReadFileBytes((folder / "own.out").string());
}

namespace {

std::vector<std::string> Tokens(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> tokens;
    std::string token;
    while (stream >> token) tokens.push_back(token);
    return tokens;
}

}  // namespace

std::vector<std::vector<Nec2cPatternRow>> Nec2cPatternTables(const std::string& output) {
    std::vector<std::vector<Nec2cPatternRow>> tables;
    std::istringstream lines(output);
    std::string line;
    bool inTable = false;
    while (std::getline(lines, line)) {
        if (line.rfind(" DEGREES   DEGREES", 0) == 0) {
            tables.emplace_back();
            inTable = true;
            continue;
        }
        if (!inTable) continue;
        // Rows hold 11 tokens, 12 with a polarisation sense.
        const std::vector<std::string> tokens = Tokens(line);
        if ((tokens.size() != 11 && tokens.size() != 12) || tokens[0] == "DATA") {
            inTable = false;
            continue;
        }
        const std::size_t n = tokens.size();
        tables.back().push_back({tokens[0], tokens[1], tokens[n - 4], tokens[n - 2]});
    }
    return tables;
}

std::vector<std::pair<std::string, std::string>> Nec2cImpedances(const std::string& output) {
    std::vector<std::pair<std::string, std::string>> impedances;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find("ANTENNA INPUT PARAMETERS") != std::string::npos) {
            std::getline(lines, line);  // TAG SEG ...
            std::getline(lines, line);  // No: No: ...
            std::getline(lines, line);
            const std::vector<std::string> tokens = Tokens(line);
            if (tokens.size() >= 8) impedances.emplace_back(tokens[6], tokens[7]);
        }
    }
    return impedances;
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const fs::path& folder, const std::vector<std::string>& environment) {
    CTestFolder capture;
    const std::string outPath = (capture / "out").string();
    const std::string errPath = (capture / "err").string();

    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) variables.emplace_back(*entry);
    for (const std::string& change : environment) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(variables, [&name](const std::string& variable) {
            return variable.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (change.find('=') != std::string::npos) variables.push_back(change);
    }
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::vector<std::string> argumentTexts = {program};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argumentTexts) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: no controlling terminal, as when Quadrell starts it.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    ProgramRun run;
    pid_t pid = 0;
    const std::string path =
        program.find('/') == std::string::npos ? program : fs::absolute(program).string();
    if (posix_spawnp(&pid, path.c_str(), &actions, &attributes, argv.data(), envp.data()) == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath);
    return run;
}
