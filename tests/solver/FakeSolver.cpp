// A stand-in for NEC2d in the launch tests. It writes what it finds about itself
// to $QUADRELL_FAKE_SOLVER_RECORDS/<pid>.rec, then stays for
// $QUADRELL_FAKE_SOLVER_STAY_MS milliseconds.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Link(const std::string& path) {
    std::error_code error;
    return std::filesystem::read_symlink(path, error).string();
}

std::string OpenDescriptors() {
    std::string list;
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder) return "?";
    while (const dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(folder))
            list += (list.empty() ? "" : ",") + std::string(entry->d_name);
    }
    ::closedir(folder);
    return list;
}

}  // namespace

int main(int argc, char**) {
    const char* records = std::getenv("QUADRELL_FAKE_SOLVER_RECORDS");
    if (!records) return 0;
    const std::string name = std::string(records) + "/" + std::to_string(::getpid());
    // Looked at before the record file adds a descriptor of its own.
    const std::string descriptors = OpenDescriptors();
    std::ofstream(name + ".part") << "pid=" << ::getpid() << "\npgid=" << ::getpgid(0)
                                  << "\nsid=" << ::getsid(0) << "\nargc=" << argc
                                  << "\ncwd=" << Link("/proc/self/cwd")
                                  << "\nexe=" << Link("/proc/self/exe") << "\nfds=" << descriptors
                                  << "\nstdout=" << Link("/proc/self/fd/1") << "\n";
    std::rename((name + ".part").c_str(), (name + ".rec").c_str());
    if (const char* stay = std::getenv("QUADRELL_FAKE_SOLVER_STAY_MS"))
        ::usleep(static_cast<useconds_t>(std::atoi(stay)) * 1000);
    return 0;
}
