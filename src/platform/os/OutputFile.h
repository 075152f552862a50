#pragma once

#include <cstddef>
#include <string>

// Writes `size` bytes to `path` whole or not at all. They go to a new hidden
// file beside it, ".NAME.XXXXXX.part", created exclusively so that no link,
// FIFO or device standing at any name is ever opened, which is then renamed
// over `path`: a link standing at `path` is replaced, never followed. On
// failure the temporary file is removed and `problem` holds the system's reason.
// From the first call on, SIGINT and SIGTERM remove a temporary file being
// written before they end the process as they would have; an ignored signal
// stays ignored. For one thread at a time.
bool writeOutputFile(const std::string& path, const void* bytes, std::size_t size, std::string& problem);
