#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the input bytes to `name` in the fuzzer's scratch directory (on tmpfs:
// $ZEN_FUZZ_TMP, else a fresh directory under /dev/shm) and returns its path.
std::string writeInputFile(const std::uint8_t* data, std::size_t size, const std::string& name);

// Sends standard output and standard error of the C++ streams nowhere: the
// loaders' messages for every input would drown the fuzzer's own report.
void silenceStreams();
