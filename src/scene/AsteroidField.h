#pragma once

// Placeholder until the asteroid field lands.
class AsteroidField {
public:
    void update(float&) {}
};
