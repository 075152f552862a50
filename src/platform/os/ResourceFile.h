#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>

// Size limits of the resource kinds: each far above any real file of its kind,
// and low enough that what its loader makes of a file that size stays within a
// few hundred MB and a few seconds.
// Program sources are a few KiB; the driver's compiler is handed the whole text.
constexpr std::uint64_t kProgramSourceLimit = std::uint64_t(1) << 20;
// Flight paths are a few KiB; 16 MiB holds the most control points a path may
// have, one per line with tags and comments, and the loader gets through it in
// under two seconds even when every line is a single character.
constexpr std::uint64_t kSplineFileLimit = std::uint64_t(16) << 20;
// Applied to the 3DS main chunk, the part of the file that is read: loading a
// mesh takes about 18 bytes of memory per byte of chunk, so 16 MiB (780,000
// triangles) stays under 300 MB; the shipped meshes are 0.2 MB at most.
constexpr std::uint64_t kMeshChunkLimit = std::uint64_t(16) << 20;
// Image files are not held in memory (the image check streams them and the
// decoded size has a limit of its own); this bounds the time spent reading one,
// as the check reads every byte of a PNG's chunks for their checksums: twice
// the largest real 8192 x 8192 RGBA file, an uncompressed TGA of 256 MiB and
// 18 bytes.
constexpr std::uint64_t kImageFileLimit = std::uint64_t(512) << 20;

enum class ResourceError {
    None,
    CannotOpen,      // missing, unreadable, a dangling link or a socket
    NotRegularFile,  // a folder, FIFO or device, also behind a link
    TooLarge,        // larger than the kind's limit
    ReadFailed,      // the system reported an error on a read
};

// "cannot open file", "not a regular file", "file too large" or "read error"
// ("" for None).
const char* resourceErrorText(ResourceError error);

// A resource file open for reading. The path is opened without blocking, so that
// a FIFO cannot stall the program, and kept only when it leads, through any
// links, to a regular file no larger than the limit. Reads never go past the
// size the file had when it was opened. Opening one notes its path as what is
// being loaded (platform/os/OutOfMemory.h).
class ResourceFile {
public:
    ResourceError error = ResourceError::CannotOpen;
    std::uint64_t size = 0;

    ResourceFile(const std::string& path, std::uint64_t sizeLimit);
    ~ResourceFile();
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;

    bool isOpen() const { return error == ResourceError::None; }
    // Reads up to `count` bytes from `offset` and sets `got` to how many it
    // read, fewer only at the end of the file. ReadFailed when a read fails:
    // an error is never taken for the end.
    ResourceError readAt(std::uint64_t offset, void* buffer, std::size_t count, std::size_t& got) const;

private:
    int descriptor = -1;
};

// The whole file, opened and read as ResourceFile does; `bytes` is left empty on an error.
ResourceError readResource(const std::string& path, std::uint64_t sizeLimit, std::string& bytes);

// A seekable input buffer over an open ResourceFile, for readers of std::istream.
// A failed read ends the stream as the end of the file would, and sets `error`.
class ResourceStreamBuffer : public std::streambuf {
public:
    ResourceError error = ResourceError::None;

    explicit ResourceStreamBuffer(const ResourceFile& source);

protected:
    int_type underflow() override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode) override;

private:
    const ResourceFile& file;
    std::uint64_t bufferStart = 0;  // file offset of eback()
    char buffer[1 << 14];

    std::uint64_t position() const;
    pos_type moveTo(std::uint64_t offset);
};
