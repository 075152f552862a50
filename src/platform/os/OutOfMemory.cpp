#include "platform/os/OutOfMemory.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <unistd.h>

#include "platform/os/ShownValue.h"

namespace {

// Kept as given, and shown only when the line is written: neither allocates.
char loading[PATH_MAX] = "";

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
    const std::size_t length = std::min(what.size(), sizeof loading - 1);
    std::memcpy(loading, what.data(), length);
    loading[length] = '\0';
}

void endOutOfMemory() {
    std::fflush(stdout);  // the progress line of the step that failed
    writeText("[ERROR] Out of memory");
    if (*loading) {
        char shown[kLongestShownBytes];
        shownValueInto(loading, std::strlen(loading), shown, sizeof shown);
        writeText(" while loading ");
        writeText(shown);
    }
    writeText("\n");
    std::_Exit(EXIT_FAILURE);
}
