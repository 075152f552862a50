#include "platform/os/OutputPathCheck.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// What stands at `path` and may not be replaced, as the writer says it.
std::string standingProblem(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) return "";
    return S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
}

// Creates an empty file beside `path`, named as the writer names its temporary
// file, and removes it again; the system's reason when it cannot be created.
std::string creationProblem(const std::string& path) {
    const std::size_t nameStart = path.rfind('/') + 1;  // 0 without a slash
    const std::string pattern =
        path.substr(0, nameStart) + "." + path.substr(nameStart, NAME_MAX - 13) + ".XXXXXX.part";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    sigset_t ending, previous;
    sigemptyset(&ending);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, &previous);
    const int descriptor = mkstemps(name.data(), 5);
    const int error = errno;
    if (descriptor >= 0) {
        close(descriptor);
        unlink(name.data());
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return descriptor >= 0 ? "" : std::strerror(error);
}

}  // namespace

std::string outputPathProblem(const std::string& path) {
    std::string problem = standingProblem(path);
    if (!problem.empty()) return problem;
    if (path.size() - (path.rfind('/') + 1) > NAME_MAX) return std::strerror(ENAMETOOLONG);
    return creationProblem(path);
}
