#include "platform/os/OutOfMemory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <unistd.h>

#include "platform/os/ShownValue.h"

namespace {

// Made before it is needed: the line is written without allocating.
char loading[4 * kLongestShown + 8] = "";

void writeText(const char* text) {
    for (std::size_t left = std::strlen(text); left > 0;) {
        const ssize_t written = write(STDERR_FILENO, text, left);
        if (written <= 0) return;
        text += written;
        left -= static_cast<std::size_t>(written);
    }
}

}  // namespace

void endOnFailedAllocation() { std::set_new_handler(endOutOfMemory); }

void noteLoading(const std::string& what) {
    const std::string shown = shownValue(what);
    std::snprintf(loading, sizeof loading, "%s", shown.c_str());
}

void endOutOfMemory() {
    std::fflush(stdout);  // the progress line of the step that failed
    writeText("[ERROR] Out of memory");
    if (*loading) {
        writeText(" while loading ");
        writeText(loading);
    }
    writeText("\n");
    std::_Exit(EXIT_FAILURE);
}
