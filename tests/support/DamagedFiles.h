#pragma once

#include <cstdint>
#include <string>

#include "support/Scratch.h"

// The usual ways a resource file gets damaged, and two that once crashed or hung
// the image library.
enum class Damage {
    Missing,
    Empty,
    CutInHalf,
    RandomBytes,
    ScrambledHeader,
    HugeDimensions,  // a 20-byte TGA claiming 40000 x 40000, or a PNG whose IHDR claims 60000 x 60000
    ChunkPastEnd,    // a PNG whose chunk after IHDR claims a length past the end of the file
    BadImageData,    // a PNG of sound chunks around compressed data that is no zlib stream
    // What stands at the path is no ordinary file of sound size:
    Fifo,       // a FIFO that nothing writes to
    Device,     // a link to /dev/zero, which never ends
    Folder,     // an empty folder
    Oversized,  // the file grown with a hole to 4 GiB - 1 bytes, a 3DS main chunk claiming all of it
    ReadError,  // a link to a file of 4096 bytes whose every read fails (the loopback device's speed)
};

// The five above: each is one row of every loader's table.
const Damage kNoOrdinaryFile[] = {Damage::Fifo, Damage::Device, Damage::Folder, Damage::Oversized,
                                  Damage::ReadError};

const char* damageName(Damage damage);

std::string bigEndian32(std::uint32_t value);

// One PNG chunk: big-endian length, type, data and the CRC of type and data.
std::string pngChunk(const std::string& type, const std::string& data);

// The damaged contents of `good` (Missing and the kinds of kNoOrdinaryFile give
// it back unchanged). Deterministic.
std::string damaged(const std::string& good, Damage damage);

// Writes the damaged contents of `good` to `path`, or removes `path` for
// Missing, or puts the FIFO, link, folder or grown file there.
void writeDamaged(const std::string& path, const std::string& good, Damage damage);
