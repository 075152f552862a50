#include "platform/os/OutputFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The signals whose default action ends the process and that a terminal, a
// session or a user sends.
const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kEndingSignalCount = sizeof kEndingSignals / sizeof *kEndingSignals;
struct sigaction previousActions[kEndingSignalCount];

// The temporary file being written, for the signal handler.
char temporaryPath[PATH_MAX];
volatile sig_atomic_t temporaryStands = 0;

// Async-signal-safe: removes the temporary file, gives the signal back the
// disposition it had and raises it again, which ends the process.
void removeTemporaryAndRaise(int signal) {
    if (temporaryStands) unlink(temporaryPath);
    for (int i = 0; i < kEndingSignalCount; ++i)
        if (kEndingSignals[i] == signal) sigaction(signal, &previousActions[i], nullptr);
    raise(signal);
}

// Lazily, so that a run writing no output keeps the dispositions it started with.
void installSignalHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    struct sigaction action {};
    action.sa_handler = removeTemporaryAndRaise;
    sigemptyset(&action.sa_mask);
    for (int signal : kEndingSignals) sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kEndingSignalCount; ++i) {
        sigaction(kEndingSignals[i], nullptr, &previousActions[i]);
        if (previousActions[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
    }
}

// Holds the ending signals back while it lives, so that the handler never finds
// the temporary file and its record out of step.
struct EndingSignalsHeld {
    sigset_t previous;

    EndingSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kEndingSignals) sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous);
    }
    ~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous, nullptr); }
};

std::string randomSymbols() {
    static const char kSymbols[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string symbols;
    for (int i = 0; i < 6; ++i) symbols += kSymbols[random() % (sizeof kSymbols - 1)];
    return symbols;
}

// ".NAME.XXXXXX.part" beside `path`, with six random letters and digits. NAME is
// cut short where the whole would not fit in a file name.
std::string temporaryName(const std::string& path) {
    const std::size_t nameStart = path.rfind('/') + 1;  // 0 without a slash
    const std::string name = path.substr(0, nameStart) + "." + path.substr(nameStart, NAME_MAX - 13) + ".";
    return name + temporaryNameSymbols() + ".part";
}

// Creates a new temporary file for `path` and records it; -1 with `error` set on failure.
int createTemporary(const std::string& path, int& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = temporaryName(path);
        if (name.size() >= sizeof temporaryPath) {
            error = ENAMETOOLONG;
            return -1;
        }
        const EndingSignalsHeld held;
        // Mode 0666 less the umask, as any new file.
        const int descriptor = open(name.c_str(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            std::memcpy(temporaryPath, name.c_str(), name.size() + 1);
            temporaryStands = 1;
            return descriptor;
        }
        error = errno;
        if (error != EEXIST) return -1;  // EEXIST: another name is drawn
    }
    return -1;
}

// Why what stands at `path` may not be replaced: a folder, FIFO, device or
// socket. "" when nothing stands there, or a regular file or a link.
std::string standingProblem(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) return "";
    return S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
}

// While it lives, a write past the file size limit fails with EFBIG instead of
// ending the process by SIGXFSZ, which would leave the temporary file behind.
struct FileSizeSignalIgnored {
    struct sigaction previous {};

    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &previous);
    }
    ~FileSizeSignalIgnored() { sigaction(SIGXFSZ, &previous, nullptr); }
};

// Every byte, through short writes and interruptions.
bool writeAll(int descriptor, const char* bytes, std::size_t size, int& error) {
    const FileSizeSignalIgnored fileSizeSignalIgnored;
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Renames the recorded temporary file to `path` when `keep` holds and removes
// it otherwise or when the rename fails; true when renamed.
bool finishTemporary(const std::string& path, bool keep, int& error) {
    const EndingSignalsHeld held;
    if (keep && rename(temporaryPath, path.c_str()) != 0) {
        error = errno;
        keep = false;
    }
    if (!keep) unlink(temporaryPath);
    temporaryStands = 0;
    return keep;
}

}  // namespace

std::string (*temporaryNameSymbols)() = randomSymbols;

bool writeOutputFile(const std::string& path, const void* bytes, std::size_t size, std::string& problem) {
    problem = standingProblem(path);
    if (!problem.empty()) return false;
    installSignalHandlers();
    int error = 0;
    const int descriptor = createTemporary(path, error);
    if (descriptor < 0) {
        problem = std::strerror(error);
        return false;
    }
    bool written = writeAll(descriptor, static_cast<const char*>(bytes), size, error);
    if (close(descriptor) != 0 && written) {
        error = errno;
        written = false;
    }
    if (finishTemporary(path, written, error)) return true;
    problem = std::strerror(error);
    return false;
}
