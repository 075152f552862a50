#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/os/ResourceFile.h"
#include "support/DamagedFiles.h"
#include "support/Scratch.h"

namespace {

struct Opening {
    std::string path;
    std::uint64_t limit;
    ResourceError error;
    std::uint64_t size;  // when opened
};

// Bytes whose value tells their offset.
std::string numbered(std::size_t count) {
    std::string bytes(count, '\0');
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>(i * 7 % 251);
    return bytes;
}

}  // namespace

TEST(ResourceFile, OpensOnlyARegularFileWithinTheLimitThroughLinksAndNeverWaits) {
    const std::string file = writeScratchFile("file", "0123456789");
    const std::string link = scratchPath("link"), dangling = scratchPath("dangling");
    std::remove(link.c_str());
    std::remove(dangling.c_str());
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    ASSERT_EQ(symlink(scratchPath("nothing").c_str(), dangling.c_str()), 0);
    // The largest real image file: 8192 x 8192 RGBA as an uncompressed TGA (sparse here).
    const std::uint64_t largestImage = 8192ull * 8192 * 4 + 18;
    const std::string image = writeScratchFile("largest.tga", "");
    std::filesystem::resize_file(image, largestImage);
    std::vector<Opening> openings = {
        {file, 10, ResourceError::None, 10},
        {link, 10, ResourceError::None, 10},
        {image, kImageFileLimit, ResourceError::None, largestImage},
        {file, 9, ResourceError::TooLarge, 0},
        {scratchPath("nothing"), 10, ResourceError::CannotOpen, 0},
        {dangling, 10, ResourceError::CannotOpen, 0},
    };
    for (Damage damage : {Damage::Fifo, Damage::Device, Damage::Folder}) {
        const std::string path = scratchPath(damageName(damage));
        writeDamaged(path, "", damage);
        openings.push_back({path, 10, ResourceError::NotRegularFile, 0});
    }
    for (const Opening& opening : openings) {
        const ResourceFile opened(opening.path, opening.limit);
        EXPECT_EQ(opened.error, opening.error) << opening.path;
        EXPECT_EQ(opened.size, opening.size) << opening.path;
    }
}

TEST(ResourceFile, ReadsNoFurtherThanTheSizeTheFileHadWhenOpened) {
    const std::string path = writeScratchFile("growing", "0123456789");
    const ResourceFile file(path, 100);
    writeFile(path, std::string(50, 'x'));
    char bytes[100];
    std::size_t got = 0;
    EXPECT_EQ(file.readAt(0, bytes, sizeof bytes, got), ResourceError::None);
    EXPECT_EQ(std::string(bytes, got), std::string(10, 'x'));
    EXPECT_EQ(file.readAt(10, bytes, sizeof bytes, got), ResourceError::None);
    EXPECT_EQ(got, 0u);
}

TEST(ResourceFile, StreamSeeksAndReadsAcrossItsBufferAsAFileStreamDoes) {
    const std::string contents = numbered(40000);
    const ResourceFile file(writeScratchFile("numbered", contents), kImageFileLimit);
    ResourceStreamBuffer buffer(file);
    std::istream stream(&buffer);
    stream.seekg(0, std::ios::end);
    EXPECT_EQ(stream.tellg(), std::streampos(40000));
    char bytes[100];
    for (std::streamoff start : {16380, 30000, 16390, 0}) {
        stream.seekg(start);
        ASSERT_TRUE(stream.read(bytes, sizeof bytes)) << start;
        EXPECT_EQ(std::string(bytes, sizeof bytes), contents.substr(start, sizeof bytes)) << start;
        EXPECT_EQ(stream.tellg(), std::streampos(start + 100));
    }
    stream.seekg(39950);
    EXPECT_FALSE(stream.read(bytes, sizeof bytes));
    EXPECT_EQ(stream.gcount(), 50);
}
