// A stand-in for NEC2d in the launch tests. It writes what it finds about
// itself (process, group, session, arguments, folder, open files) to
// $QUADRELL_FAKE_SOLVER_RECORDS/<pid>.rec, then stays for
// $QUADRELL_FAKE_SOLVER_STAY_MS milliseconds.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
    FILE* file = std::fopen((name + ".part").c_str(), "w");
    if (!file) return 1;
    std::fprintf(file, "pid=%d\npgid=%d\nsid=%d\nargc=%d\ncwd=%s\nexe=%s\nfds=%s\nstdout=%s\n",
                 static_cast<int>(::getpid()), static_cast<int>(::getpgid(0)),
                 static_cast<int>(::getsid(0)), argc, Link("/proc/self/cwd").c_str(),
                 Link("/proc/self/exe").c_str(), descriptors.c_str(),
                 Link("/proc/self/fd/1").c_str());
    std::fclose(file);
    std::rename((name + ".part").c_str(), (name + ".rec").c_str());
    if (const char* stay = std::getenv("QUADRELL_FAKE_SOLVER_STAY_MS"))
        ::usleep(static_cast<useconds_t>(std::atoi(stay)) * 1000);
    return 0;
}
