#include "run/Scenes.h"

#include <cstdlib>

#include "app/AppState.h"
#include "app/IdleStep.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"
#include "scene/AsteroidField.h"

namespace {

constexpr float kStepSeconds = static_cast<float>(kTourStepMilliseconds / 1000.0);
// The first path takes about 45 s; a flight that never turns reflective (no
// second path) still ends.
constexpr int kMostStepsToTheSecondPath = 100000;

// The free camera glides forward from its start, turning towards the podium
// and looking up into the field.
void flyForward(Scene& scene) {
    scene.flyCam->moveForward = 1;
    scene.flyCam->targetAngles = Vector3(0.45f, 0.12f, 0.0f);
}

void noSetUp(Scene&) {}

// What the flight changes of the world, as start-up left it.
struct WorldStart {
    FlyCam flyCam;
    FollowCam followCam;
    FlyCam fighter;  // the player's camera part
    float pathPosition = 0.0f;
    float previousPathPosition = 0.0f;
    bool followsPath = true;
    Spline* currentPath = nullptr;
    bool onFirstPath = true;
    Matrix4 fighterMatrix;
    bool reflectiveShip = false;
    bool firstReflectiveFrame = true;
    CameraMode cameraMode = CameraMode::Follow;
};

// Hands each part of the world and its kept copy to `transfer`, in one order
// for recording and restoring alike.
template <typename Transfer>
void eachPart(WorldStart& start, Transfer transfer) {
    Scene& scene = *appState.scene;
    Player& player = *scene.player;
    transfer(start.flyCam, *scene.flyCam);
    transfer(start.followCam, *scene.followCam);
    transfer(start.fighter, static_cast<FlyCam&>(player));
    transfer(start.pathPosition, player.pathPosition);
    transfer(start.previousPathPosition, player.previousPathPosition);
    transfer(start.followsPath, player.followsPath);
    transfer(start.currentPath, player.currentPath);
    transfer(start.onFirstPath, player.onFirstPath);
    transfer(start.fighterMatrix, player.modelMatrix);
    transfer(start.reflectiveShip, appState.reflectiveShip);
    transfer(start.firstReflectiveFrame, appState.firstReflectiveFrame);
    transfer(start.cameraMode, scene.cameraMode);
}

WorldStart recordWorldStart() {
    WorldStart start;
    eachPart(start, [](auto& kept, const auto& live) { kept = live; });
    return start;
}

void restoreWorldStart(WorldStart start) {
    eachPart(start, [](const auto& kept, auto& live) { live = kept; });
}

// Up to `steps` undrawn steps of the tour, fewer once `done` holds.
void fly(int steps, bool (*done)() = [] { return false; }) {
    for (int i = 0; i < steps && !done(); ++i) advanceSimulation(kStepSeconds);
}

void leadIn(const TourScene& tourScene) {
    if (tourScene.leadInToSecondPath) fly(kMostStepsToTheSecondPath, [] { return appState.reflectiveShip; });
    else fly(static_cast<int>(tourScene.leadInSeconds / kStepSeconds + 0.5f));
}

}  // namespace

const TourScene kTourScenes[] = {
    {"asteroids", "the follow view from the planet along the first path into the asteroid field", 200,
     CameraMode::Follow, 0.0f, false, noSetUp, 10, {1, 25, 50}},
    {"planet", "the planet in the fixed view, the fighter and the asteroids passing", 100, CameraMode::Fixed, 8.0f,
     false, noSetUp, 0, {1, 25, 50}},
    {"free-camera", "the free camera gliding forward, turning towards the podium", 100, CameraMode::Fly, 12.0f,
     false, flyForward, 0, {1, 25, 50}},
    {"reflective", "the reflective fighter on its second path over the podium, its shadow on the pad", 200,
     CameraMode::Follow, 0.0f, true, noSetUp, 100, {1, 25, 50}},
};
const std::size_t kTourSceneCount = sizeof kTourScenes / sizeof *kTourScenes;

const TourScene* findScene(const std::string& name) {
    for (const TourScene& scene : kTourScenes)
        if (name == scene.name) return &scene;
    return nullptr;
}

void flyToSceneStart(const TourScene& tourScene) {
    static const WorldStart start = recordWorldStart();
    restoreWorldStart(start);
    std::srand(kTourSeed);
    appState.asteroidField->respawnAll();
    Scene& scene = *appState.scene;
    scene.cameraMode = tourScene.camera;
    leadIn(tourScene);
    tourScene.setUp(scene);
}

void settleScene(const TourScene& tourScene) {
    fly(tourScene.settlingSteps);
}
