// The real program on a copy of its resources with one file damaged: it reports
// that file once and runs on, or for a program source ends with the shader layer's message.
#include <string>

#include <gtest/gtest.h>

#include "support/DamagedFiles.h"
#include "support/InitializedProgram.h"

namespace {

struct DamagedRun {
    const char* name;
    const char* resource;  // under resources/
    Damage damage;
    const char* errorLines;  // all of standard error; for a program source, the message on standard output
    bool ends;
};

std::ostream& operator<<(std::ostream& out, const DamagedRun& run) { return out << run.name; }

const DamagedRun kRuns[] = {
    {"PlanetTextureClaimingHugeDimensions", "models/planet/Tex2.tga", Damage::HugeDimensions,
     "[ERROR] Could not load planet decal tex:out of memory\n", false},
    {"CubeFaceWithChunkPastTheEnd", "textures/custom_space/posy.png", Damage::ChunkPastEnd,
     "[ERROR] Could not load cube map image: file read error\n", false},
    {"PlanetMeshOfRandomBytes", "models/planet/planet.3ds", Damage::RandomBytes,
     "[ERROR] Could not load 3DS model ../resources/models/planet/planet.3ds: not a 3DS file\n", false},
    {"SplineFileCutInHalf", "splines/playerspline.sdf", Damage::CutInHalf, "", false},
    {"EmptyProgramSource", "shader/fp_ambient.cg", Damage::Empty,
     "../resources/shader/fp_ambient.cg: The compile returned an error.\n", true},
};

// A copy of the staged program's resources with one file damaged; returns its bin/ folder.
std::string damagedTree(const DamagedRun& run) {
    const std::string bin = stagedCopy("damaged");
    const std::string path = bin + "/../resources/" + run.resource;
    writeDamaged(path, readFile(path), run.damage);
    return bin;
}

class DamagedResource : public testing::TestWithParam<DamagedRun> {};

}  // namespace

TEST_P(DamagedResource, IsReportedOnceWhileTheProgramRunsOn) {
    const DamagedRun& damaged = GetParam();
    InitializedProgram run(damagedTree(damaged));
    if (damaged.ends) {
        EXPECT_EQ(run.waitForExit(), 1);
        const std::string out = run.standardOutput();
        EXPECT_NE(out.find(damaged.errorLines), std::string::npos) << out;
        EXPECT_FALSE(run.ready) << out;
        return;
    }
    ASSERT_TRUE(run.ready) << run.standardError();
    EXPECT_EQ(occurrences(run.standardOutput(), "[OK]\n"), 10) << run.standardOutput();  // every step closes
    run.moveMouse(10, 10);
    run.click(1);  // answered from the main loop, between frames
    EXPECT_TRUE(run.waitForOutput("Current Position: X=", 10.0)) << run.standardOutput();
    EXPECT_FALSE(run.hasExited());
    EXPECT_EQ(run.standardError(), damaged.errorLines);
}

INSTANTIATE_TEST_SUITE_P(OneFileDamaged, DamagedResource, testing::ValuesIn(kRuns),
                         [](const testing::TestParamInfo<DamagedRun>& info) { return info.param.name; });
