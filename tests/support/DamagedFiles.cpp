#include "support/DamagedFiles.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(7);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

bool isPng(const std::string& bytes) { return bytes.size() >= 8 && bytes.compare(1, 3, "PNG") == 0; }

std::string hugeDimensions(const std::string& good) {
    if (!isPng(good)) return std::string("\0\0\2\0\0\0\0\0\0\0\0\0\x40\x9c\x40\x9c\x18\0\0\0", 20);
    return good.substr(0, 8) + pngChunk("IHDR", bigEndian32(60000) + bigEndian32(60000) + good.substr(24, 5)) +
           good.substr(33);
}

constexpr std::uint32_t kOversizedBytes = 0xFFFFFFFFu;
// Every read fails with EINVAL: the loopback device has no speed.
const char* const kUnreadableFile = "/sys/class/net/lo/speed";

// A damage that could not be put in place fails the test that asked for it.
void expectMade(int status, const std::string& path) {
    if (status != 0) ADD_FAILURE() << "could not make " << path;
}

// Sparse: the hole takes no room on disk and reads as zeros.
void writeOversized(const std::string& path, const std::string& good) {
    std::string bytes = good;
    const bool threeDs = bytes.size() >= 6 && bytes[0] == 0x4D && bytes[1] == 0x4D;
    if (threeDs) bytes.replace(2, 4, std::string(4, '\xFF'));  // the main chunk's length, little-endian
    writeFile(path, bytes);
    std::filesystem::resize_file(path, kOversizedBytes);
}

}  // namespace

const char* damageName(Damage damage) {
    const char* const names[] = {"missing",         "empty",           "cut in half",
                                 "random bytes",    "scrambled header", "huge dimensions",
                                 "chunk length past the end", "bad image data", "FIFO",
                                 "link to a device", "folder",         "oversized",
                                 "read error"};
    return names[static_cast<int>(damage)];
}

std::string bigEndian32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::string pngChunk(const std::string& type, const std::string& data) {
    const std::string typed = type + data;
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    return bigEndian32(static_cast<std::uint32_t>(data.size())) + typed + bigEndian32(static_cast<std::uint32_t>(crc));
}

std::string damaged(const std::string& good, Damage damage) {
    switch (damage) {
        case Damage::Missing: return good;
        case Damage::Empty: return "";
        case Damage::CutInHalf: return good.substr(0, good.size() / 2);
        case Damage::RandomBytes: return randomBytes(4096);
        case Damage::ScrambledHeader: return randomBytes(64) + good.substr(64);
        case Damage::HugeDimensions: return hugeDimensions(good);
        case Damage::ChunkPastEnd: return good.substr(0, 33) + bigEndian32(0x7FFFFFF0) + good.substr(37);
        case Damage::BadImageData:
            return good.substr(0, 33) + pngChunk("IDAT", randomBytes(64)) + good.substr(good.size() - 12);
        default: return good;
    }
}

void writeDamaged(const std::string& path, const std::string& good, Damage damage) {
    std::remove(path.c_str());
    switch (damage) {
        case Damage::Missing: return;
        case Damage::Fifo: expectMade(mkfifo(path.c_str(), 0644), path); return;
        case Damage::Device: expectMade(symlink("/dev/zero", path.c_str()), path); return;
        case Damage::Folder: expectMade(mkdir(path.c_str(), 0755), path); return;
        case Damage::Oversized: writeOversized(path, good); return;
        case Damage::ReadError: expectMade(symlink(kUnreadableFile, path.c_str()), path); return;
        default: writeFile(path, damaged(good, damage));
    }
}
