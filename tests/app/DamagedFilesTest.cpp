// Every kind of resource, damaged in every usual way, through its loader in this
// process: the one error line of that load and nothing else.
#include <unistd.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera/Player.h"
#include "environment/CubeMap.h"
#include "environment/FaceImages.h"
#include "platform/model/Model3ds.h"
#include "shading/ShaderProgram.h"
#include "shading/TextureFile.h"
#include "spline/Spline.h"
#include "support/GlContext.h"

namespace {

enum class Damage {
    Missing, Empty, CutInHalf, RandomBytes, ScrambledHeader, HugeDimensions, ChunkPastEnd, BadImageData
};

const char* const kDamageNames[] = {"missing",         "empty",           "cut in half",
                                    "random bytes",    "scrambled header", "huge dimensions",
                                    "chunk length past the end", "bad image data"};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string randomBytes(std::size_t count) {
    std::mt19937 generator(7);
    std::string bytes(count, '\0');
    for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
    return bytes;
}

std::string bigEndian32(std::uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::uint32_t crc(const std::string& data) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (unsigned char byte : data) {
        c ^= byte;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

// The damaged contents of a good file. A TGA of huge dimensions is the 20-byte file
// that once crashed DevIL's rescaling; a PNG one keeps its data under an IHDR,
// with a valid CRC, that claims 60000 x 60000.
std::string damaged(const std::string& good, Damage damage) {
    switch (damage) {
        case Damage::Empty: return "";
        case Damage::CutInHalf: return good.substr(0, good.size() / 2);
        case Damage::RandomBytes: return randomBytes(4096);
        case Damage::ScrambledHeader: return randomBytes(64) + good.substr(64);
        case Damage::HugeDimensions:
            if (good.compare(1, 3, "PNG") != 0)
                return std::string("\0\0\2\0\0\0\0\0\0\0\0\0\x40\x9c\x40\x9c\x18\0\0\0", 20);
            {
                const std::string ihdr = "IHDR" + bigEndian32(60000) + bigEndian32(60000) + good.substr(24, 5);
                return good.substr(0, 12) + ihdr + bigEndian32(crc(ihdr)) + good.substr(33);
            }
        case Damage::ChunkPastEnd: return good.substr(0, 33) + bigEndian32(0x7FFFFFF0) + good.substr(37);
        case Damage::BadImageData: {
            // Sound chunks around compressed data that is not a zlib stream.
            const std::string idat = "IDAT" + randomBytes(64);
            return good.substr(0, 33) + bigEndian32(64) + idat + bigEndian32(crc(idat)) +
                   good.substr(good.size() - 12);
        }
        case Damage::Missing: break;
    }
    return good;
}

// Writes the damaged file under its own name (nothing for Missing) and returns the path.
std::string writeDamaged(const std::string& name, const std::string& good, Damage damage) {
    const std::string path = std::string(ZEN_TEST_TMP_DIR) + "/damaged-" + name;
    std::remove(path.c_str());
    if (damage != Damage::Missing) std::ofstream(path, std::ios::binary) << damaged(good, damage);
    return path;
}

struct Output {
    std::string out, err;
};

Output captured(const std::function<void()>& load) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    load();
    Output output;
    output.out = testing::internal::GetCapturedStdout();
    output.err = testing::internal::GetCapturedStderr();
    return output;
}

struct Row {
    Damage damage;
    const char* text;  // the loader's reason or DevIL's error text
};

class DamagedFile : public testing::Test {
protected:
    GlContext gl{16, 16};

    void SetUp() override { initialiseImageLibrary(); }

    void expectOnly(const Output& output, const std::string& line, Damage damage) {
        EXPECT_EQ(output.out, "") << kDamageNames[int(damage)];
        EXPECT_EQ(output.err, line) << kDamageNames[int(damage)];
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
    };
    for (const Row& row : rows) {
        const std::string path = writeDamaged("texture.tga", good, row.damage);
        GLuint texture = 1;
        expectOnly(captured([&] { texture = loadTextureReportingErrors(path); }),
                   "[ERROR] Could not load texture " + path + ": " + row.text + "\n", row.damage);
        EXPECT_EQ(texture, 0u) << kDamageNames[int(row.damage)];
        expectOnly(captured([&] { texture = loadTextureReportingErrors(goodPath); }), "", row.damage);
        EXPECT_TRUE(glIsTexture(texture));
    }
}

TEST_F(DamagedFile, ReportingALibraryFailureClearsEveryErrorItLeft) {
    const std::string path = writeDamaged("library.tga", "", Damage::Empty);
    ASSERT_FALSE(ilLoadImage(path.c_str()));  // DevIL's own failure stacks several errors
    const Output output = captured([] { reportImageError("[ERROR] load: "); });
    EXPECT_EQ(output.err.rfind("[ERROR] load: ", 0), 0u);
    EXPECT_EQ(output.err.find('\n'), output.err.size() - 1) << output.err;
    EXPECT_EQ(ilGetError(), static_cast<ILenum>(IL_NO_ERROR));
}

TEST_F(DamagedFile, CubeFaceReportsOneLoadLineAndTheOtherFacesLoad) {
    const std::vector<Row> rows = {
        {Damage::Missing, "could not open file"},        {Damage::Empty, "invalid file header"},
        {Damage::CutInHalf, "file read error"},          {Damage::RandomBytes, "invalid file header"},
        {Damage::ScrambledHeader, "invalid file header"}, {Damage::HugeDimensions, "out of memory"},
        {Damage::ChunkPastEnd, "file read error"},        {Damage::BadImageData, "png library error"},
    };
    for (const Row& row : rows) {
        Environment environment;
        environment.cubeMapDirectory = writeFaces("damaged-face", "png");
        const std::string face = environment.cubeMapDirectory + "posy.png";
        const std::string good = readFile(face);
        std::remove(face.c_str());
        if (row.damage != Damage::Missing) std::ofstream(face, std::ios::binary) << damaged(good, row.damage);
        expectOnly(captured([&] { loadCubeMap(environment); }),
                   std::string("[ERROR] Could not load cube map image: ") + row.text + "\n", row.damage);
    }
}

TEST_F(DamagedFile, MeshReportsItsLoaderLine) {
    const std::string good = readFile("../resources/models/asteroid/asteroid.3ds");
    const std::vector<Row> rows = {
        {Damage::Missing, "cannot open file"},  {Damage::Empty, "file too short for a 3DS header"},
        {Damage::CutInHalf, "file is truncated"}, {Damage::RandomBytes, "not a 3DS file"},
        {Damage::ScrambledHeader, "not a 3DS file"},
    };
    for (const Row& row : rows) {
        const std::string path = writeDamaged("mesh.3ds", good, row.damage);
        Model3ds model;
        expectOnly(captured([&] { EXPECT_FALSE(model.loadModelWithTangents(path)); }),
                   "[ERROR] Could not load 3DS model " + path + ": " + row.text + "\n", row.damage);
        EXPECT_EQ(model.faceCount, 0u);
    }
}

TEST_F(DamagedFile, SplineFileLoadsWhatItCanSilently) {
    const std::string good = readFile("../resources/splines/playerspline.sdf");
    for (Damage damage : {Damage::Missing, Damage::Empty, Damage::CutInHalf, Damage::RandomBytes,
                          Damage::ScrambledHeader}) {
        const std::string path = writeDamaged("path.sdf", good, damage);
        int samples = -1;
        expectOnly(captured([&] { samples = Spline(path).sampleCount; }), "", damage);
        EXPECT_GE(samples, 0) << kDamageNames[int(damage)];
    }
}

namespace {

// The shader layer reports on standard output; death tests match standard error.
void reportOnStandardError() { dup2(STDERR_FILENO, STDOUT_FILENO); }

}  // namespace

TEST_F(DamagedFile, ProgramSourceEndsTheProcessWithTheShaderLayersMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string good = readFile("../resources/shader/fp_ambient.cg");
    for (Damage damage : {Damage::Missing, Damage::Empty, Damage::CutInHalf, Damage::RandomBytes,
                          Damage::ScrambledHeader}) {
        const std::string path = writeDamaged("fragment.cg", good, damage);
        const std::string message = damage == Damage::Missing
                                        ? ": Can't read program file \"" + path + "\"\\.\n"
                                        : std::string(": The compile returned an error\\.\n");
        EXPECT_EXIT((reportOnStandardError(), ShaderProgram("../resources/shader/vp_pass.cg", path)),
                    testing::ExitedWithCode(1), "^" + path + message)
            << kDamageNames[int(damage)];
    }
}
