#pragma once

#include <cstddef>
#include <string>

// A value or path as one line of the console shows it: a long one by its start
// and its end (where a path names its file), at most kLongestShown of its
// characters, and every control character escaped (\n, \t, \r, \x1b), so that
// the line stays one line and sends the terminal nothing but text.
constexpr std::size_t kLongestShown = 60;
std::string shownValue(const std::string& value);
// shownValue between single quotes, as refusals quote a value.
std::string quotedValue(const std::string& value);
