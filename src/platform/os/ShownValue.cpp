#include "platform/os/ShownValue.h"

#include <cstdio>

namespace {

std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (byte >= 0x20 && byte != 0x7f) out += c;
        else {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            out += code;
        }
    }
    return out;
}

}  // namespace

std::string shownValue(const std::string& value) {
    const std::size_t kStart = 20;
    if (value.size() <= kLongestShown) return escaped(value);
    return escaped(value.substr(0, kStart)) + "..." +
           escaped(value.substr(value.size() - (kLongestShown - kStart - 3)));
}

std::string quotedValue(const std::string& value) { return "'" + shownValue(value) + "'"; }
