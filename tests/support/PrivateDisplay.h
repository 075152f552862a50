#pragma once

#include <string>

#include <sys/types.h>

// An Xvfb server of its own for one test, made the process's DISPLAY while it
// lives, so that programs run side by side never cover each other's windows.
class PrivateDisplay {
public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    std::string name;  // ":N", empty when the server did not start
    std::string previousDisplay;
    pid_t pid = -1;
};
