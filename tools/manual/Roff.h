#pragma once

#include <string>

// Text as roff prints it: backslashes as \e, every hyphen as \- (so that
// options and file names copy as typed), and \& before a leading dot or
// apostrophe, which would make the line a request.
std::string roffText(const std::string& text);

std::string roffBold(const std::string& text);
std::string roffItalic(const std::string& text);

// A tagged paragraph: the tag (already roff) on its line, then the text as a
// sentence, its first letter capital and a full stop at its end.
std::string roffItem(const std::string& tag, const std::string& text);
