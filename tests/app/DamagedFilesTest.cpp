// Every kind of resource, damaged in every usual way or replaced by what is no
// ordinary file, through its loader in this process: the one error line of that
// load and nothing else, at once.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <IL/il.h>
#include <gtest/gtest.h>

#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "platform/model/Model3ds.h"
#include "shading/ShaderProgram.h"
#include "shading/TextureFile.h"
#include "spline/Spline.h"
#include "support/CapturedOutput.h"
#include "support/DamagedFiles.h"
#include "support/GlContext.h"
#include "support/Scratch.h"

namespace {

// Writes the damaged file under its own name and returns the path.
std::string damagedFile(const std::string& name, const std::string& good, Damage damage) {
    const std::string path = scratchPath("damaged-" + name);
    writeDamaged(path, good, damage);
    return path;
}

const Damage kUsualDamages[] = {Damage::Missing, Damage::Empty, Damage::CutInHalf, Damage::RandomBytes,
                                Damage::ScrambledHeader};

struct Row {
    Damage damage;
    const char* text;  // the loader's reason or DevIL's error text
};

class DamagedFile : public testing::Test {
protected:
    GlContext gl{16, 16};

    void SetUp() override { initialiseImageLibrary(); }

    void expectOnly(const CapturedOutput& output, const std::string& line, Damage damage) {
        EXPECT_EQ(output.out, "") << damageName(damage);
        EXPECT_EQ(output.err, line) << damageName(damage);
    }
};

}  // namespace

TEST_F(DamagedFile, TextureReportsOneLineGetsNoNameAndTheNextLoadIsSilent) {
    const std::string goodPath = "../resources/models/asteroid/Tex0.tga";
    const std::string good = readFile(goodPath);
    const std::vector<Row> rows = {
        {Damage::Missing, "could not open file"},       {Damage::Empty, "invalid file header"},
        {Damage::CutInHalf, "file read error"},         {Damage::RandomBytes, "invalid file header"},
        {Damage::ScrambledHeader, "invalid file header"}, {Damage::HugeDimensions, "out of memory"},
        {Damage::Fifo, "could not open file"},          {Damage::Device, "could not open file"},
        {Damage::Folder, "could not open file"},        {Damage::Oversized, "could not open file"},
        {Damage::ReadError, "could not open file"},
    };
    for (const Row& row : rows) {
        const std::string path = damagedFile("texture.tga", good, row.damage);
        GLuint texture = 1;
        expectOnly(captured([&] { texture = loadTextureReportingErrors(path); }),
                   "[ERROR] Could not load texture " + path + ": " + row.text + "\n", row.damage);
        EXPECT_EQ(texture, 0u) << damageName(row.damage);
        expectOnly(captured([&] { texture = loadTextureReportingErrors(goodPath); }), "", row.damage);
        EXPECT_TRUE(glIsTexture(texture));
    }
}

TEST_F(DamagedFile, ReportingALibraryFailureClearsEveryErrorItLeft) {
    const std::string path = damagedFile("library.tga", "", Damage::Empty);
    ASSERT_FALSE(ilLoadImage(path.c_str()));  // DevIL's own failure stacks several errors
    const CapturedOutput output = captured([] { reportImageError("[ERROR] load: "); });
    EXPECT_EQ(output.err.rfind("[ERROR] load: ", 0), 0u);
    EXPECT_EQ(output.err.find('\n'), output.err.size() - 1) << output.err;
    EXPECT_EQ(ilGetError(), static_cast<ILenum>(IL_NO_ERROR));
}

TEST_F(DamagedFile, CubeFaceReportsOneLoadLineAndTheOtherFacesLoad) {
    const std::vector<Row> rows = {
        {Damage::Missing, "could not open file"},        {Damage::Empty, "invalid file header"},
        {Damage::CutInHalf, "file read error"},          {Damage::RandomBytes, "invalid value"},
        {Damage::ScrambledHeader, "invalid value"},       {Damage::HugeDimensions, "out of memory"},
        {Damage::ChunkPastEnd, "file read error"},        {Damage::BadImageData, "png library error"},
        {Damage::Fifo, "could not open file"},           {Damage::Device, "could not open file"},
        {Damage::Folder, "could not open file"},         {Damage::Oversized, "could not open file"},
        {Damage::ReadError, "could not open file"},
    };
    for (const Row& row : rows) {
        Environment environment;
        const std::string faces = std::string("faces/") + damageName(row.damage);
        std::filesystem::remove_all(scratchPath(faces));  // a FIFO left by an earlier run would stall the writer
        environment.cubeMapDirectory = writeFaces(faces, "png");
        const std::string face = environment.cubeMapDirectory + "posy.png";
        writeDamaged(face, readFile(face), row.damage);
        expectOnly(captured([&] { loadCubeMap(environment); }),
                   std::string("[ERROR] Could not load cube map image: ") + row.text + "\n", row.damage);
        for (std::size_t i : {0, 1, 3, 4, 5})
            EXPECT_EQ(centreTexel(faceTarget(i)), kFaceColours[i]) << kFaceNames[i] << ", " << damageName(row.damage);
    }
}

TEST_F(DamagedFile, MeshReportsItsLoaderLine) {
    const std::string good = readFile("../resources/models/asteroid/asteroid.3ds");
    const std::vector<Row> rows = {
        {Damage::Missing, "cannot open file"},  {Damage::Empty, "file too short for a 3DS header"},
        {Damage::CutInHalf, "file is truncated"}, {Damage::RandomBytes, "not a 3DS file"},
        {Damage::ScrambledHeader, "not a 3DS file"},
        {Damage::Fifo, "not a regular file"},   {Damage::Device, "not a regular file"},
        {Damage::Folder, "not a regular file"}, {Damage::Oversized, "file too large"},
        {Damage::ReadError, "read error"},
    };
    for (const Row& row : rows) {
        const std::string path = damagedFile("mesh.3ds", good, row.damage);
        Model3ds model;
        expectOnly(captured([&] { EXPECT_FALSE(model.loadModelWithTangents(path)); }),
                   "[ERROR] Could not load 3DS model " + path + ": " + row.text + "\n", row.damage);
        EXPECT_EQ(model.faceCount, 0u);
    }
}

TEST_F(DamagedFile, SplineFileLoadsWhatItCanSilentlyAndNothingOfWhatIsNoOrdinaryFile) {
    const std::string good = readFile("../resources/splines/playerspline.sdf");
    for (Damage damage : kUsualDamages) {
        const std::string path = damagedFile("path.sdf", good, damage);
        int samples = -1;
        expectOnly(captured([&] { samples = Spline(path).sampleCount; }), "", damage);
        EXPECT_GE(samples, 0) << damageName(damage);
    }
    for (Damage damage : kNoOrdinaryFile) {
        const std::string path = damagedFile("path.sdf", good, damage);
        int samples = -1;
        expectOnly(captured([&] { samples = Spline(path).sampleCount; }), "", damage);
        EXPECT_EQ(samples, 0) << damageName(damage);  // the grown file starts with the good path
    }
}

namespace {

// The shader layer reports on standard output; death tests match standard error.
void reportOnStandardError() { dup2(STDERR_FILENO, STDOUT_FILENO); }

}  // namespace

TEST_F(DamagedFile, ProgramSourceEndsTheProcessWithTheShaderLayersMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string good = readFile("../resources/shader/fp_ambient.cg");
    std::vector<Damage> damages(std::begin(kUsualDamages), std::end(kUsualDamages));
    damages.insert(damages.end(), std::begin(kNoOrdinaryFile), std::end(kNoOrdinaryFile));
    for (Damage damage : damages) {
        const std::string path = damagedFile("fragment.cg", good, damage);
        const bool unreadable = damage == Damage::Missing ||
                                std::count(std::begin(kNoOrdinaryFile), std::end(kNoOrdinaryFile), damage);
        const std::string message = unreadable ? ": Can't read program file \"" + path + "\"\\.\n"
                                               : std::string(": The compile returned an error\\.\n");
        EXPECT_EXIT((reportOnStandardError(), ShaderProgram("../resources/shader/vp_pass.cg", path)),
                    testing::ExitedWithCode(1), "^" + path + message)
            << damageName(damage);
    }
}
