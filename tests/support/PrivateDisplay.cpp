#include "support/PrivateDisplay.h"

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <unistd.h>
#include <sys/wait.h>

#include <X11/Xlib.h>

namespace {

// Reads the display number Xvfb writes to the pipe once it accepts clients.
std::string readDisplayNumber(int fd) {
    std::string number;
    pollfd ready{fd, POLLIN, 0};
    char c;
    while (poll(&ready, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') number += c;
    return number;
}

pid_t startXvfb(int display, int notifyFd) {
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string name = ":" + std::to_string(display);
        const std::string fd = std::to_string(notifyFd);
        // -noreset: the server must not restart when its first client leaves.
        // Keys held down repeat as on a desktop: after 250 ms, 30 times a second.
        execlp("Xvfb", "Xvfb", name.c_str(), "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-noreset",
               "-ardelay", "250", "-arinterval", "33", "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

bool acceptsClients(const std::string& name) {
    Display* connection = XOpenDisplay(name.c_str());
    if (!connection) return false;
    XCloseDisplay(connection);
    return true;
}

void stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace

// Display numbers start from the process id, so that a test never reuses the
// number of a server another test has just shut down.
PrivateDisplay::PrivateDisplay() {
    if (const char* current = std::getenv("DISPLAY")) previousDisplay = current;
    const int first = 100 + static_cast<int>(getpid() % 800);
    for (int display = first; display < first + 20; ++display) {
        if (access(("/tmp/.X" + std::to_string(display) + "-lock").c_str(), F_OK) == 0) continue;
        int pipeFds[2];
        if (pipe(pipeFds) != 0) return;
        const pid_t server = startXvfb(display, pipeFds[1]);
        close(pipeFds[1]);
        const bool ready = server > 0 && !readDisplayNumber(pipeFds[0]).empty();
        close(pipeFds[0]);
        const std::string candidate = ":" + std::to_string(display);
        if (ready && acceptsClients(candidate)) {
            pid = server;
            name = candidate;
            setenv("DISPLAY", name.c_str(), 1);
            return;
        }
        if (server > 0) stop(server);
    }
}

PrivateDisplay::~PrivateDisplay() {
    if (pid > 0) stop(pid);
    if (!previousDisplay.empty()) setenv("DISPLAY", previousDisplay.c_str(), 1);
}
