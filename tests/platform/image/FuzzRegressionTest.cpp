// Every image in fuzz-regressions/ once crashed, hung or exhausted memory in
// DevIL. The image check must refuse it, and both loads of the program must
// report it and leave nothing loaded.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/image/ImageFileCheck.h"
#include "shading/TextureFile.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"
#include "support/KeptInputs.h"

#include <IL/il.h>

namespace {

namespace fs = std::filesystem;

// Reports the pending error under `message`: one line with the library's text.
void expectErrorLine(const std::string& message) {
    const std::string line = captured([&] { reportImageError(message); }).err;
    EXPECT_EQ(line.rfind(message, 0), 0u) << line;
    EXPECT_GT(line.size(), message.size() + 1) << "no library error text";
}

}  // namespace

TEST(ImageFuzzRegression, EveryKeptInputIsRefusedReportedAndSkipped) {
    GlContext gl{32, 32};
    initialiseImageLibrary();
    const std::vector<fs::path> files = keptInputs("platform/image");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_NE(checkImageFile(file.string()), static_cast<ILenum>(IL_NO_ERROR));
        EXPECT_EQ(loadTextureFile(file.string()), 0u);
        expectErrorLine("[ERROR] Could not load planet decal tex:");
        EXPECT_FALSE(loadImageFile(file.string()));
        expectErrorLine("[ERROR] Could not load cube map image: ");
    }
}
