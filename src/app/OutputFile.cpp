#include "app/OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool writeAll(const std::string& path, const void* bytes, std::size_t size, std::string& problem) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        problem = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes, 1, size, file) == size && std::fflush(file) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    problem = std::strerror(written ? errno : writeError);
    return false;
}

}  // namespace

bool writeOutputFile(const std::string& path, const void* bytes, std::size_t size, std::string& problem) {
    const std::string partial = path + ".part";
    bool written = writeAll(partial, bytes, size, problem);
    if (written && std::rename(partial.c_str(), path.c_str()) != 0) {
        problem = std::strerror(errno);
        written = false;
    }
    if (!written) std::remove(partial.c_str());
    return written;
}
