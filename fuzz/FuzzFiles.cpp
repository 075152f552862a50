#include "FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>

#include <unistd.h>

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
};

std::string makeScratchDirectory() {
    const char* given = std::getenv("ZEN_FUZZ_TMP");
    std::string directory = given && *given ? given : "/dev/shm";
    directory += "/zen-fuzz-" + std::to_string(getpid());
    std::filesystem::create_directories(directory);
    return directory;
}

const std::string& scratchDirectory() {
    static const std::string directory = makeScratchDirectory();
    return directory;
}

}  // namespace

std::string writeInputFile(const std::uint8_t* data, std::size_t size, const std::string& name) {
    const std::string path = scratchDirectory() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::perror(path.c_str());
        std::abort();
    }
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

void silenceStreams() {
    static NullBuffer nowhere;
    std::cout.rdbuf(&nowhere);
    std::cerr.rdbuf(&nowhere);
}
