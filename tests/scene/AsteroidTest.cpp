#include <cmath>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "scene/Asteroid.h"

namespace {

// Hands out a fixed list of draws, so the arithmetic can be checked by hand.
std::vector<int> scriptedDraws;
std::size_t nextDraw = 0;
int scripted() { return scriptedDraws.at(nextDraw++); }

void script(std::vector<int> draws) {
    scriptedDraws = std::move(draws);
    nextDraw = 0;
}

const AsteroidBounds kRunningBounds{300, 30.0f, 10.0f};

}  // namespace

TEST(AsteroidRespawn, TenDrawsInOrderGiveTheHandComputedState) {
    script({1234, 77, 512, 7, 3, 9, 80, 13, 45, 21});
    Asteroid a;
    respawn(a, kRunningBounds, scripted);
    EXPECT_EQ(nextDraw, 10u);
    EXPECT_FLOAT_EQ(a.position.x, -266.0f);  // 1234 % 600 - 300
    EXPECT_FLOAT_EQ(a.position.y, 67.0f);    // 77 % 50 + 40
    EXPECT_FLOAT_EQ(a.position.z, -88.0f);   // 512 % 300 - 300
    // (2, 1, 4) normalised, then flipped because it pointed to +z
    const float len = std::sqrt(21.0f);
    EXPECT_FLOAT_EQ(a.direction.x, -2.0f / len);
    EXPECT_FLOAT_EQ(a.direction.y, -1.0f / len);
    EXPECT_FLOAT_EQ(a.direction.z, -4.0f / len);
    EXPECT_FLOAT_EQ(a.rotation.x, 9.5492966f);  // 30 / pi degrees
    EXPECT_FLOAT_EQ(a.scale, 8.1f);              // 13 % 10 + 0.1 + 5
    EXPECT_FLOAT_EQ(a.speed, 15.0f);             // 45 % 15 + 15
    EXPECT_FLOAT_EQ(a.rotationSpeed, 8.5f);      // 21 % 50 - 12.5
}

TEST(AsteroidRespawn, LowestDrawsGiveTheRangeEndsAndKeepNegativeZ) {
    script({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Asteroid a;
    respawn(a, kRunningBounds, scripted);
    EXPECT_FLOAT_EQ(a.position.x, -300.0f);
    EXPECT_FLOAT_EQ(a.position.y, 40.0f);
    EXPECT_FLOAT_EQ(a.position.z, -300.0f);
    const float len = std::sqrt(54.0f);  // (-5, -2, -5) already drifts to -z
    EXPECT_FLOAT_EQ(a.direction.x, -5.0f / len);
    EXPECT_FLOAT_EQ(a.direction.z, -5.0f / len);
    EXPECT_FLOAT_EQ(a.rotation.x, static_cast<float>(-50.0 / 3.14159265358979323846));
    EXPECT_FLOAT_EQ(a.scale, 5.1f);
    EXPECT_FLOAT_EQ(a.rotationSpeed, -12.5f);
}

TEST(AsteroidRespawn, ZeroDirectionNeverMovesNorLeavesTheBox) {
    script({599, 49, 299, 5, 2, 5, 99, 9, 14, 49});
    Asteroid a;
    respawn(a, kRunningBounds, scripted);
    EXPECT_EQ(a.direction.x, 0.0f);
    EXPECT_EQ(a.direction.y, 0.0f);
    EXPECT_EQ(a.direction.z, 0.0f);
    EXPECT_FLOAT_EQ(a.speed, 29.0f);
    EXPECT_FLOAT_EQ(a.rotationSpeed, 36.5f);
    const Vector3 start = a.position;
    for (int i = 0; i < 100; ++i) advance(a, 0.5f);
    EXPECT_EQ(a.position.x, start.x);
    EXPECT_EQ(a.position.z, start.z);
    EXPECT_NEAR(a.rotation.x, 49.0 / 3.14159265358979323846 + 36.5 * 50.0, 1e-3);
    EXPECT_FALSE(outsideBox(a, 300));
}

TEST(AsteroidRespawn, SameSeedSameAsteroids) {
    std::vector<Asteroid> first(4), second(4);
    std::srand(1234);
    for (Asteroid& a : first) respawn(a, kRunningBounds, std::rand);
    std::srand(1234);
    for (Asteroid& a : second) respawn(a, kRunningBounds, std::rand);
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].position.x, second[i].position.x);
        EXPECT_EQ(first[i].direction.y, second[i].direction.y);
        EXPECT_EQ(first[i].speed, second[i].speed);
        EXPECT_LE(first[i].direction.z, 0.0f);
        EXPECT_GE(first[i].speed, 15.0f);
        EXPECT_LE(first[i].speed, 29.0f);
    }
}

TEST(AsteroidBox, EdgesAreInsideAndAnythingBeyondIsOutside) {
    Asteroid a;
    a.position = {0.0f, 0.0f, 0.0f};
    EXPECT_FALSE(outsideBox(a, 300));  // z exactly 0 stays
    a.position.z = 0.001f;
    EXPECT_TRUE(outsideBox(a, 300));
    const Vector3 inside[] = {{300, 100, -600}, {-300, -50, -1}};
    for (const Vector3& p : inside) {
        a.position = p;
        EXPECT_FALSE(outsideBox(a, 300));
    }
    const Vector3 outside[] = {{300.5f, 0, -1}, {-300.5f, 0, -1}, {0, 100.5f, -1}, {0, -50.5f, -1}, {0, 0, -600.5f}};
    for (const Vector3& p : outside) {
        a.position = p;
        EXPECT_TRUE(outsideBox(a, 300));
    }
}

TEST(AsteroidMotion, StepMovesAlongDirectionAndSpins) {
    Asteroid a;
    a.position = {10.0f, 50.0f, -100.0f};
    a.direction = {0.6f, 0.0f, -0.8f};
    a.speed = 20.0f;
    a.rotationSpeed = -12.5f;
    advance(a, 0.25f);
    EXPECT_FLOAT_EQ(a.position.x, 13.0f);
    EXPECT_FLOAT_EQ(a.position.z, -104.0f);
    EXPECT_FLOAT_EQ(a.rotation.x, -3.125f);
}

TEST(AsteroidMatrix, TranslatesTurnsAboutXAndScales) {
    Asteroid a;
    a.position = {1.0f, 2.0f, 3.0f};
    a.rotation.x = 90.0f;
    a.scale = 2.0f;
    const Vector4 p = transformPoint(asteroidModelMatrix(a), Vector4(0.0f, 1.0f, 0.0f, 1.0f));
    EXPECT_NEAR(p.x, 1.0f, 1e-5f);
    EXPECT_NEAR(p.y, 2.0f, 1e-5f);
    EXPECT_NEAR(p.z, 5.0f, 1e-5f);  // +y turns to +z, doubled

    a.scale = 1.0f;
    a.rotation.x = 0.0f;
    const Matrix4 m = asteroidModelMatrix(a);
    EXPECT_EQ(m[0], 1.0f);
    EXPECT_EQ(m[12], 1.0f);
    EXPECT_EQ(m[14], 3.0f);
}
