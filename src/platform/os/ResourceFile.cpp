#include "platform/os/ResourceFile.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/os/OutOfMemory.h"

const char* resourceErrorText(ResourceError error) {
    switch (error) {
        case ResourceError::None: return "";
        case ResourceError::CannotOpen: return "cannot open file";
        case ResourceError::NotRegularFile: return "not a regular file";
        case ResourceError::TooLarge: return "file too large";
        case ResourceError::ReadFailed: return "read error";
    }
    return "";
}

ResourceFile::ResourceFile(const std::string& path, std::uint64_t sizeLimit) {
    noteLoading(path);  // what memory exhaustion from here on names
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat status;
    if (fstat(descriptor, &status) != 0) {
        error = ResourceError::CannotOpen;
    } else if (!S_ISREG(status.st_mode)) {
        // A device or FIFO may never end, or block every read; a folder has no contents.
        error = ResourceError::NotRegularFile;
    } else if (static_cast<std::uint64_t>(status.st_size) > sizeLimit) {
        error = ResourceError::TooLarge;
    } else {
        fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
        size = static_cast<std::uint64_t>(status.st_size);
        error = ResourceError::None;
        return;
    }
    close(descriptor);
    descriptor = -1;
}

ResourceFile::~ResourceFile() {
    if (descriptor >= 0) close(descriptor);
}

ResourceError ResourceFile::readAt(std::uint64_t offset, void* buffer, std::size_t count, std::size_t& got) const {
    got = 0;
    if (descriptor < 0) return error;
    if (offset >= size) return ResourceError::None;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size - offset));
    while (got < count) {
        const ssize_t part = pread(descriptor, static_cast<char*>(buffer) + got, count - got,
                                   static_cast<off_t>(offset + got));
        if (part < 0 && errno == EINTR) continue;
        if (part < 0) return ResourceError::ReadFailed;
        if (part == 0) break;  // the file was cut short since it was opened
        got += static_cast<std::size_t>(part);
    }
    return ResourceError::None;
}

ResourceError readResource(const std::string& path, std::uint64_t sizeLimit, std::string& bytes) {
    bytes.clear();
    const ResourceFile file(path, sizeLimit);
    if (!file.isOpen()) return file.error;
    bytes.resize(static_cast<std::size_t>(file.size));
    std::size_t got = 0;
    const ResourceError error = file.readAt(0, bytes.data(), bytes.size(), got);
    bytes.resize(error == ResourceError::None ? got : 0);
    return error;
}

ResourceStreamBuffer::ResourceStreamBuffer(const ResourceFile& source) : file(source) {
    setg(buffer, buffer, buffer);
}

std::uint64_t ResourceStreamBuffer::position() const {
    return bufferStart + static_cast<std::uint64_t>(gptr() - eback());
}

ResourceStreamBuffer::int_type ResourceStreamBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    bufferStart = position();
    std::size_t count = 0;
    const ResourceError result = file.readAt(bufferStart, buffer, sizeof buffer, count);
    if (result != ResourceError::None) error = result;
    setg(buffer, buffer, buffer + count);
    return count ? traits_type::to_int_type(*gptr()) : traits_type::eof();
}

ResourceStreamBuffer::pos_type ResourceStreamBuffer::moveTo(std::uint64_t offset) {
    const std::uint64_t buffered = static_cast<std::uint64_t>(egptr() - eback());
    if (offset >= bufferStart && offset - bufferStart <= buffered) {
        setg(eback(), eback() + (offset - bufferStart), egptr());
    } else {
        bufferStart = offset;
        setg(buffer, buffer, buffer);
    }
    return pos_type(static_cast<off_type>(offset));
}

ResourceStreamBuffer::pos_type ResourceStreamBuffer::seekoff(off_type offset, std::ios_base::seekdir direction,
                                                             std::ios_base::openmode) {
    off_type base = 0;
    if (direction == std::ios_base::cur) base = static_cast<off_type>(position());
    if (direction == std::ios_base::end) base = static_cast<off_type>(file.size);
    if (base + offset < 0) return pos_type(off_type(-1));
    return moveTo(static_cast<std::uint64_t>(base + offset));
}

ResourceStreamBuffer::pos_type ResourceStreamBuffer::seekpos(pos_type position, std::ios_base::openmode mode) {
    return seekoff(off_type(position), std::ios_base::beg, mode);
}
