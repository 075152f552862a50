#include "platform/os/ShownValue.h"

#include <algorithm>

namespace {

// Appends one byte as shown, escaped where it is a control character; stops at the capacity.
void appendShown(char byte, char* out, std::size_t capacity, std::size_t& used) {
    static const char kHex[] = "0123456789abcdef";
    const unsigned char code = static_cast<unsigned char>(byte);
    char escaped[5] = {byte, '\0'};
    if (byte == '\n' || byte == '\t' || byte == '\r') {
        escaped[0] = '\\';
        escaped[1] = byte == '\n' ? 'n' : byte == '\t' ? 't' : 'r';
    } else if (code < 0x20 || code == 0x7f) {
        const char hex[5] = {'\\', 'x', kHex[code >> 4], kHex[code & 15], '\0'};
        std::copy(hex, hex + 5, escaped);
    }
    for (const char* c = escaped; *c && used + 1 < capacity; ++c) out[used++] = *c;
}

void appendShown(const char* text, std::size_t length, char* out, std::size_t capacity, std::size_t& used) {
    for (std::size_t i = 0; i < length; ++i) appendShown(text[i], out, capacity, used);
}

}  // namespace

std::size_t shownValueInto(const char* value, std::size_t length, char* out, std::size_t capacity) {
    const std::size_t kStart = 20, kEnd = kLongestShown - kStart - 3;
    std::size_t used = 0;
    if (length <= kLongestShown) {
        appendShown(value, length, out, capacity, used);
    } else {
        appendShown(value, kStart, out, capacity, used);
        appendShown("...", 3, out, capacity, used);
        appendShown(value + length - kEnd, kEnd, out, capacity, used);
    }
    if (capacity > 0) out[used] = '\0';
    return used;
}

std::string shownValue(const std::string& value) {
    char shown[kLongestShownBytes];
    return std::string(shown, shownValueInto(value.data(), value.size(), shown, sizeof shown));
}

std::string quotedValue(const std::string& value) { return "'" + shownValue(value) + "'"; }
