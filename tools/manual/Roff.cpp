#include "Roff.h"

std::string roffText(const std::string& text) {
    std::string roff = !text.empty() && (text[0] == '.' || text[0] == '\'') ? "\\&" : "";
    for (const char c : text) {
        if (c == '\\') roff += "\\e";
        else if (c == '-') roff += "\\-";
        else roff += c;
    }
    return roff;
}

std::string roffBold(const std::string& text) { return "\\fB" + roffText(text) + "\\fR"; }
std::string roffItalic(const std::string& text) { return "\\fI" + roffText(text) + "\\fR"; }

std::string roffItem(const std::string& tag, const std::string& text) {
    std::string sentence = text;
    if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z') sentence[0] = sentence[0] - 'a' + 'A';
    if (!sentence.empty() && sentence.back() != '.') sentence += '.';
    return ".TP\n" + tag + "\n" + roffText(sentence) + "\n";
}
