#pragma once

#include <cstddef>
#include <string>

// A value or path as one line of the console shows it: a long one by its start
// and its end (where a path names its file), at most kLongestShown of its
// characters, and every control character escaped (\n, \t, \r, \x1b), so that
// the line stays one line and sends the terminal nothing but text.
constexpr std::size_t kLongestShown = 60;
// Room for the longest shown value, each character escaped in four, and its end.
constexpr std::size_t kLongestShownBytes = 4 * kLongestShown + 1;
std::string shownValue(const std::string& value);
// The same into `out` (ended by a null character, cut at `capacity`), without
// allocating: for a line written when memory has run out. Returns its length.
std::size_t shownValueInto(const char* value, std::size_t length, char* out, std::size_t capacity);
// shownValue between single quotes, as refusals quote a value.
std::string quotedValue(const std::string& value);
