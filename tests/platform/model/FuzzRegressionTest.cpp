// Every 3DS file in fuzz-regressions/ once set off a sanitizer in the mesh load
// or the shadow volume built from it. Each must load to the mesh below, or be
// reported and leave the model empty, and still give a shadow volume.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "platform/model/Model3ds.h"
#include "shadow/ShadowVolume.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"
#include "support/KeptInputs.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    std::uint32_t faces;  // 0: refused
    std::string reason;   // the refusal's reason in the loader's error line
};

const std::map<std::string, Outcome> kOutcomes = {
    // assimp lost an allocation on it (a leak inside the library, suppressed for the fuzzer).
    {"assimp-leak.3ds", {0, "Chunk is too large"}},
};

}  // namespace

TEST(ModelFuzzRegression, EveryKeptInputLoadsOrIsReportedAndStillGivesAShadowVolume) {
    GlContext gl{32, 32};
    int count = 0;
    for (const fs::path& path : keptInputs("platform/model")) {
        const std::string name = path.filename().string();
        SCOPED_TRACE(name);
        ASSERT_EQ(kOutcomes.count(name), 1u) << "no expected outcome for this input";
        const Outcome& expected = kOutcomes.at(name);
        ++count;
        Model3ds model;
        bool loaded = false;
        const std::string error = captured([&] { loaded = model.loadModelWithTangents(path.string()); }).err;
        EXPECT_EQ(loaded, expected.faces > 0);
        EXPECT_EQ(model.faceCount, expected.faces);
        EXPECT_EQ(model.faces.size(), expected.faces);
        const std::string line = "[ERROR] Could not load 3DS model " + path.string() + ": " + expected.reason + "\n";
        EXPECT_EQ(error, expected.faces > 0 ? "" : line);
        std::size_t volumeFaces = 0;
        captured([&] { volumeFaces = ShadowVolume(&model, "Fuzz").faceNormals.size(); });
        EXPECT_EQ(volumeFaces, expected.faces);
    }
    EXPECT_EQ(count, static_cast<int>(kOutcomes.size()));
}
