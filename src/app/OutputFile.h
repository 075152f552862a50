#pragma once

#include <cstddef>
#include <string>

// Writes `size` bytes to `path` under a temporary name first ("<path>.part")
// and renames it once complete, so that `path` never names a partly written
// file. On failure removes the partial file and returns false with the reason
// in `problem`.
bool writeOutputFile(const std::string& path, const void* bytes, std::size_t size, std::string& problem);
