#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/Scratch.h"

namespace fs = std::filesystem;

namespace {

// Runs the generator again into a scratch tree and compares every file it
// writes with the staged one, byte for byte.
TEST(AssetGenerator, SecondRunWritesIdenticalFiles) {
    const fs::path scratch = scratchPath("generated/");
    const std::string command = std::string(ZEN_BIN_DIR) + "/zen_asset_generator " + scratch.string() + " > " +
                                (scratch / "log.txt").string() + " 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "see " << (scratch / "log.txt");

    size_t compared = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(scratch)) {
        if (!entry.is_regular_file() || entry.path().filename() == "log.txt") continue;
        const fs::path staged = fs::path(ZEN_RESOURCES_DIR) / fs::relative(entry.path(), scratch);
        SCOPED_TRACE(staged.string());
        ASSERT_TRUE(fs::exists(staged));
        EXPECT_TRUE(readFile(entry.path()) == readFile(staged)) << "bytes differ";
        ++compared;
    }
    EXPECT_EQ(compared, 4u + 13u + 6u);  // meshes, TGA textures, cube faces
    fs::remove_all(scratch);
}

TEST(AssetGenerator, RefusesToRunWithoutAnOutputDirectory) {
    const std::string command = std::string(ZEN_BIN_DIR) + "/zen_asset_generator > /dev/null 2>&1";
    EXPECT_NE(std::system(command.c_str()), 0);
}

}  // namespace
