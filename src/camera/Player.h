#pragma once

#include <vector>

#include <GL/glew.h>

#include "camera/FlyCam.h"
#include "math/Matrix4.h"

class Model3ds;
class ShaderProgram;
class Spline;

// The space fighter: a FlyCam that follows its spline paths or flies freely,
// with its model, textures and the model matrix it is drawn with.
class Player : public FlyCam {
public:
    static constexpr float kRollLimit = 0.7f;
    static constexpr float kFreeFlightSpeed = 40.0f;
    static constexpr float kSecondPathSpeed = 1.0f;

    ShaderProgram* shader = nullptr;  // not owned
    Model3ds* model = nullptr;        // owned
    GLuint decalTexture = 0;
    GLuint normalTexture = 0;
    Matrix4 modelMatrix;              // identity until the first frame
    float pathPosition = 0.0f;        // distance travelled along the current path
    float previousPathPosition = 0.0f;
    bool followsPath = true;
    Spline* currentPath = nullptr;    // not owned
    int pathDisplayMode = 0;          // 0 to 3
    std::vector<Spline*> paths;       // not owned
    bool onFirstPath = true;

    // Makes no OpenGL call: the model starts empty.
    Player();
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    void loadDecalTexture();
    void loadNormalTexture();
    // Turns and banks by the held flags; the roll stops at the limit and levels off by itself.
    void steer() override;
    // Springs, then moves along the current path or by the held flags in free flight.
    void update(float dt);
    // Pitch only: horizontal pointer movement is discarded.
    void mouseLook();
    // translation(position) * the fighter's axes, a proper rotation on and off the path.
    void updateModelMatrix();
    // Free flight at 40 units per second, or back to the start of the current path.
    void toggleFollowPath();
    // Steps the debug display of the current path through its four presets.
    void cyclePathDisplay();
    void printPosition() const;

private:
    void followPath(float dt);
    void switchToSecondPath();
};
