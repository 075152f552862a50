#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "scene/Asteroid.h"
#include "support/ExpectNear.h"

namespace {

// Hands out a fixed list of draws, so the arithmetic can be checked by hand.
std::vector<int> draws;
std::size_t nextDraw = 0;
int scripted() { return draws.at(nextDraw++); }

Asteroid respawnWith(std::vector<int> script) {
    draws = std::move(script);
    nextDraw = 0;
    Asteroid a;
    respawn(a, AsteroidBounds{300, 30.0f, 10.0f}, scripted);
    return a;
}

}  // namespace

TEST(Asteroid, RespawnTakesTenDrawsInOrder) {
    const Asteroid a = respawnWith({1234, 77, 512, 7, 3, 9, 80, 13, 45, 21});
    EXPECT_EQ(nextDraw, 10u);
    // 1234 % 600 - 300, 77 % 50 + 40, 512 % 300 - 300
    expectNear(a.position, Vector3(-266, 67, -88), 0.0f);
    expectNear(a.direction, Vector3(-2, -1, -4) / std::sqrt(21.0f), 1e-7f);  // (2, 1, 4), flipped away from +z
    EXPECT_FLOAT_EQ(a.rotation.x, 9.5492966f);  // 30 / pi degrees
    EXPECT_FLOAT_EQ(a.scale, 8.1f);              // 13 % 10 + 0.1 + 5
    EXPECT_FLOAT_EQ(a.speed, 15.0f);             // 45 % 15 + 15
    EXPECT_FLOAT_EQ(a.rotationSpeed, 8.5f);      // 21 % 50 - 12.5
}

TEST(Asteroid, ZeroDirectionOnlySpinsAndNeverLeavesTheBox) {
    Asteroid a = respawnWith({599, 49, 299, 5, 2, 5, 99, 9, 14, 49});
    EXPECT_EQ(length(a.direction), 0.0f);
    EXPECT_FLOAT_EQ(a.scale, 14.1f);
    EXPECT_FLOAT_EQ(a.speed, 29.0f);
    const Vector3 start = a.position;  // (299, 89, -1)
    for (int i = 0; i < 100; ++i) advance(a, 0.5f);
    EXPECT_EQ(a.position.x, start.x);
    EXPECT_EQ(a.position.z, start.z);
    EXPECT_NEAR(a.rotation.x, 49.0 / 3.14159265358979323846 + 36.5 * 50.0, 1e-3);
    EXPECT_FALSE(outsideBox(a, 300));
}

TEST(Asteroid, BoxEdgesAreInsideAndAnythingBeyondIsOutside) {
    Asteroid a;
    for (const Vector3& p : {Vector3(0, 0, 0), Vector3(300, 100, -600), Vector3(-300, -50, -1)}) {
        a.position = p;
        EXPECT_FALSE(outsideBox(a, 300)) << p.x << " " << p.y << " " << p.z;
    }
    for (const Vector3& p : {Vector3(0, 0, 0.001f), Vector3(300.5f, 0, -1), Vector3(-300.5f, 0, -1),
                             Vector3(0, 100.5f, -1), Vector3(0, -50.5f, -1), Vector3(0, 0, -600.5f)}) {
        a.position = p;
        EXPECT_TRUE(outsideBox(a, 300)) << p.x << " " << p.y << " " << p.z;
    }
}

TEST(Asteroid, ModelMatrixTranslatesTurnsAboutXAndScales) {
    Asteroid a;
    a.position = {1.0f, 2.0f, 3.0f};
    a.rotation.x = 90.0f;
    a.scale = 2.0f;
    // +y turns to +z, doubled
    expectNear(transformPoint(asteroidModelMatrix(a), Vector4(0.0f, 1.0f, 0.0f, 1.0f)).xyz(), Vector3(1, 2, 5));
}
