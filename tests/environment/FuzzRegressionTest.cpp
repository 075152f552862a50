// Every image in fuzz-regressions/ once crashed the cube-map loader. Put in as
// the +x face beside five sound faces, it must be reported and skipped, or built
// where it is valid, and the other faces still built.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <IL/il.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"
#include "support/KeptInputs.h"

namespace {

namespace fs = std::filesystem;

// What the loader writes to standard error for each kept input.
const std::map<std::string, std::string> kExpectedErrors = {
    // libpng gives up on its short image data, but DevIL leaves the 2 x 15106 image
    // bound; GLU would rescale that non-square face and read past its end.
    {"nonsquare-2x15106.png",
     "[ERROR] Could not load cube map image: png library error\n"
     "[ERROR] Could not build cube map mipmap: invalid value\n"},
    // A valid face whose width is already a power of two: GLU's rescale of its
    // height reads one pixel past the last row.
    {"pow2-width-16x12.png", ""},
};

// DevIL's buffers end right before an unreadable page, so that a read past the
// end of an image's pixels crashes here, where in the program it may go unseen.
struct Mapping {
    void* base;
    std::size_t length;
};

void* ILAPIENTRY guardedAlloc(const ILsizei size) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t usable = (size + sizeof(Mapping) + 15 + page - 1) / page * page;
    char* base = static_cast<char*>(mmap(nullptr, usable + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    if (base == MAP_FAILED) return nullptr;
    mprotect(base + usable, page, PROT_NONE);
    char* start = base + ((usable - size) & ~std::size_t(15));
    *reinterpret_cast<Mapping*>(start - sizeof(Mapping)) = {base, usable + page};
    return start;
}

void ILAPIENTRY guardedFree(const void* pointer) {
    if (!pointer) return;
    const Mapping& mapping = *reinterpret_cast<const Mapping*>(static_cast<const char*>(pointer) - sizeof(Mapping));
    munmap(mapping.base, mapping.length);
}

}  // namespace

TEST(CubeMapFuzzRegression, EveryKeptInputIsReportedAndTheOtherFacesAreBuilt) {
    GlContext gl;
    ilShutDown();
    ilSetMemory(guardedAlloc, guardedFree);
    initialiseImageLibrary();
    int count = 0;
    for (const fs::path& path : keptInputs("environment")) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        ASSERT_EQ(kExpectedErrors.count(name), 1u) << "no expected outcome for this input";
        const std::string extension = path.extension().string().substr(1);
        Environment environment;
        environment.imageExtension = extension;
        environment.cubeMapDirectory = writeFaces("fuzz-" + std::to_string(count++), extension);
        fs::copy_file(path, environment.cubeMapDirectory + "posx." + extension,
                      fs::copy_options::overwrite_existing);
        EXPECT_EQ(captured([&] { loadCubeMap(environment); }).err, kExpectedErrors.at(name));
        for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(centreTexel(faceTarget(i)), kFaceColours[i]) << kFaceNames[i];
    }
    EXPECT_EQ(count, static_cast<int>(kExpectedErrors.size()));
    ilShutDown();
    ilResetMemory();
}
