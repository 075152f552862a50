#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>
#include <GL/glew.h>
#include <GL/glu.h>

#include "platform/model/MeshFiles.h"
#include "platform/model/Model3ds.h"
#include "scene/AsteroidField.h"
#include "shading/ShaderProgram.h"
#include "support/ExpectNear.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"
#include "support/Scratch.h"

namespace {

// A resource tree of the running test.
std::string root() { return scratchPath("asteroid-field"); }
const std::string kShaders = std::string(ZEN_SOURCE_DIR) + "/resources/shader/";

// A resource tree of our own: ../resources/models/asteroid/ seen from root()/bin.
void writeResources() {
    const std::string directory = root() + "/resources/models/asteroid/";
    ASSERT_EQ(std::system(("mkdir -p '" + directory + "' '" + root() + "/bin'").c_str()), 0);
    const Rgb colours[3] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}};
    for (int t = 0; t < 3; ++t) {
        writeSolidImage(directory + "Tex" + std::to_string(t) + ".tga", 4, colours[t]);
        writeSolidImage(directory + "Tex" + std::to_string(t) + "_NRM.tga", 4, {128, 128, 255});
    }
    ASSERT_TRUE(writeThreeDs(directory + "asteroid.3ds", {cubeMesh(true)}));  // flat sides
}

class Field : public testing::Test {
protected:
    GlContext gl{64, 64};
    std::string previousDirectory;

    void SetUp() override {
        initialiseImageLibrary();
        writeResources();
        char buffer[4096];
        previousDirectory = getcwd(buffer, sizeof buffer);
        ASSERT_EQ(chdir((root() + "/bin").c_str()), 0);
    }
    void TearDown() override { EXPECT_EQ(chdir(previousDirectory.c_str()), 0); }

    AsteroidField* makeField(unsigned seed, int count = 5) {
        std::srand(seed);
        AsteroidField* field = new AsteroidField(count, 300, 30.0f, 10.0f, 3, true);
        field->respawnAll();
        return field;
    }
};

void lookDownMinusZ() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace

TEST_F(Field, DrawsModelAndTexturePicksThenTenDrawsPerRespawn) {
    AsteroidField* field = makeField(77);
    ASSERT_EQ(field->asteroids.size(), 5u);
    ASSERT_EQ(field->decalTextures.size(), 3u);
    ASSERT_EQ(field->normalTextures.size(), 3u);
    EXPECT_NE(field->models.front()->faceCount, 0u);

    std::srand(77);
    std::vector<std::size_t> picks;
    for (int i = 0; i < 5; ++i) {
        std::rand();  // model pick from a list of one
        picks.push_back(static_cast<std::size_t>(std::rand()) % 3);
    }
    for (std::size_t i = 0; i < 5; ++i) {
        const Asteroid& a = *field->asteroids[i];
        EXPECT_EQ(a.model, field->models.front());
        EXPECT_EQ(a.decalTexture, field->decalTextures[picks[i]]);
        EXPECT_EQ(a.normalTexture, field->normalTextures[picks[i]]);
        Asteroid expected;
        respawn(expected, field->bounds(), std::rand);
        EXPECT_EQ(a.position.x, expected.position.x);
        EXPECT_EQ(a.position.z, expected.position.z);
        EXPECT_EQ(a.scale, expected.scale);
        EXPECT_EQ(a.rotationSpeed, expected.rotationSpeed);
    }
    AsteroidField* twin = makeField(77);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(twin->asteroids[i]->speed, field->asteroids[i]->speed);
    delete twin;
    delete field;
}

TEST_F(Field, UpdateRespawnsWhatLeavesTheBoxAtOnce) {
    AsteroidField* field = makeField(5, 3);
    Asteroid& leaving = *field->asteroids[0];
    leaving.position = {299.0f, 50.0f, -10.0f};
    leaving.direction = {1.0f, 0.0f, 0.0f};
    leaving.speed = 20.0f;
    Asteroid& resting = *field->asteroids[1];
    resting.position = {0.0f, 0.0f, 0.0f};  // z exactly 0 stays inside
    resting.direction = {0.0f, 0.0f, 0.0f};
    Asteroid& drifting = *field->asteroids[2];
    drifting.position = {0.0f, 60.0f, -50.0f};
    drifting.direction = {0.0f, 0.0f, -1.0f};
    drifting.speed = 10.0f;
    float dt = 0.1f;
    field->update(dt);
    EXPECT_LE(leaving.position.x, 299.0f);  // respawned into [-300, 299]
    EXPECT_GE(leaving.position.y, 40.0f);
    EXPECT_LT(leaving.position.z, 0.0f);
    EXPECT_EQ(resting.position.z, 0.0f);
    EXPECT_FLOAT_EQ(drifting.position.z, -51.0f);
    delete field;
}

TEST_F(Field, AmbientPassRestoresStateAndLitPassAddsLightOnTheSameMatrix) {
    AsteroidField* field = makeField(9, 1);
    ShaderProgram* ambient = new ShaderProgram(kShaders + "vp_pass.cg", kShaders + "fp_ambient.cg");
    Asteroid& a = *field->asteroids[0];
    a.position = {0.0f, 0.0f, -10.0f};
    a.rotation = {0.0f, 0.0f, 0.0f};
    a.scale = 1.0f;  // the drawn cube has edge 2 and covers the middle of the view only
    a.decalTexture = field->decalTextures[1];  // green
    Light light;
    light.position = {0, 0, 1, 0};
    light.diffuse = {0.8f, 0.8f, 0.8f, 1};
    light.shininess = 8.0f;
    lookDownMinusZ();
    glDepthFunc(GL_ALWAYS);
    Matrix4 before, after;
    glGetFloatv(GL_MODELVIEW_MATRIX, before.data());
    field->shader = ambient;
    field->renderAmbient(light, Vector3());
    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    expectNear(after, before, 0.0f);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glInteger(GL_DEPTH_FUNC), GL_ALWAYS);
    EXPECT_FLOAT_EQ(field->currentMatrix[14], -10.0f);
    const std::vector<unsigned char> ambientCentre = gl.pixel(32, 32);
    EXPECT_GT(ambientCentre[1], 10);
    EXPECT_EQ(ambientCentre[0], 0);
    EXPECT_EQ(gl.pixel(1, 1)[1], 0);

    a.position.x = 50.0f;  // not seen: the lit pass reuses this frame's matrix
    field->shader = new ShaderProgram(kShaders + "vp_bump.cg", kShaders + "fp_bump.cg");
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_CULL_FACE);  // as in the frame's lit pass: the far side must not paint over the near
    field->renderLit(light, Vector3());
    glDisable(GL_CULL_FACE);
    EXPECT_FALSE(field->ambientPass);
    EXPECT_GT(gl.pixel(32, 32)[1], ambientCentre[1]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDepthFunc(GL_LESS);
    delete ambient;
    delete field;  // releases the bump pair
}

TEST_F(Field, DestructionReleasesDecalAndNormalTextures) {
    AsteroidField* field = makeField(3, 2);
    std::vector<GLuint> names = field->decalTextures;
    names.insert(names.end(), field->normalTextures.begin(), field->normalTextures.end());
    for (GLuint name : names) EXPECT_TRUE(glIsTexture(name)) << name;
    delete field;
    for (GLuint name : names) EXPECT_FALSE(glIsTexture(name)) << name;
}
