#pragma once

#include <cstddef>
#include <string>

// Writes `size` bytes to `path` whole or not at all. They go to a new hidden
// file beside it, ".NAME.XXXXXX.part", created exclusively so that no link,
// FIFO or device standing at any name is ever opened, which is then renamed
// over `path`: a regular file or a link standing there is replaced, never
// followed; a folder, FIFO, device or socket fails the write. On failure the
// temporary file is removed and `problem` holds the reason, the system's where
// it has one.
// From the first call on, SIGINT, SIGTERM, SIGHUP and SIGQUIT remove a
// temporary file being written before they end the process as they would have;
// an ignored signal stays ignored. SIGXFSZ is ignored while the bytes are
// written, so that a file size limit fails the write ("File too large") rather
// than the process. For one thread at a time.
bool writeOutputFile(const std::string& path, const void* bytes, std::size_t size, std::string& problem);

// The six symbols of each temporary name drawn, by default at random; a test
// may set them, to plant a file at the name the writer will try.
extern std::string (*temporaryNameSymbols)();
