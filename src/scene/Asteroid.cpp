#include "scene/Asteroid.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

float pick(RandomSource random, int modulus, float offset) {
    return static_cast<float>(random() % modulus) + offset;
}

}  // namespace

void respawn(Asteroid& a, const AsteroidBounds& bounds, RandomSource random) {
    const int range = bounds.range;
    a.position.x = pick(random, 2 * range, static_cast<float>(-range));
    a.position.y = pick(random, 50, 40.0f);
    a.position.z = pick(random, range, static_cast<float>(-range));
    a.direction.x = pick(random, 10, -5.0f);
    a.direction.y = pick(random, 4, -2.0f);
    a.direction.z = pick(random, 10, -5.0f);
    normalize(a.direction);
    a.rotation.x = static_cast<float>((random() % 100 - 50) / kPi);
    if (a.direction.z > 0.0f) a.direction = -a.direction;
    const int scaleModulus = static_cast<int>(bounds.scaleBase);
    a.scale = static_cast<float>(random() % scaleModulus) + bounds.scaleBase / 100.0f + 5.0f;
    const int speedModulus = static_cast<int>(bounds.speedBase) / 2;
    a.speed = static_cast<float>(random() % speedModulus + bounds.speedBase * 0.5);
    a.rotationSpeed = static_cast<float>(random() % 50 - 12.5);
}

bool outsideBox(const Asteroid& a, int range) {
    const float r = static_cast<float>(range);
    const Vector3& p = a.position;
    return p.x > r || p.y > 100.0f || p.z > 0.0f || p.x < -r || p.y < -50.0f || p.z < -2.0f * r;
}

void advance(Asteroid& a, float dt) {
    const Vector3 velocity = a.direction * a.speed;
    a.position += velocity * dt;
    a.rotation.x += a.rotationSpeed * dt;
}

Matrix4 asteroidModelMatrix(const Asteroid& a) {
    Matrix4 m = product(translation(a.position), xRotation(a.rotation.x * kDegreesToRadians));
    if (a.scale != 1.0f) m.multiply(scaling(a.scale));
    return m;
}
