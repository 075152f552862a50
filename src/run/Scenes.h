#pragma once

#include <cstddef>
#include <string>

#include "app/CameraMode.h"

class Scene;

// One scene of the tour that --benchmark times and --validate compares. Every
// scene starts from the world as start-up left it, re-seeded with the tour's
// seed, and flies undrawn to its own start: so a scene draws the same frames
// whichever scenes come before it.
struct TourScene {
    const char* name;
    const char* description;
    long frames;          // its length in the benchmark
    CameraMode camera;
    float leadInSeconds;  // undrawn flight before the scene
    bool leadInToSecondPath;  // ...or until the fighter has turned reflective on its second path
    void (*setUp)(Scene& scene);  // after the lead-in: what the scene changes, such as a camera's course
    int settlingSteps;    // undrawn steps after the untimed first frame, in which the camera settles
    long referenceFrames[3];  // the frames --validate compares, counted from 1
};

extern const TourScene kTourScenes[];
extern const std::size_t kTourSceneCount;

// The tour's fixed seed and step.
constexpr unsigned kTourSeed = 3;
constexpr double kTourStepMilliseconds = 40.0;

const TourScene* findScene(const std::string& name);

// Returns the world to what start-up left (recorded once, by the first call),
// then flies it undrawn to the scene's start.
void flyToSceneStart(const TourScene& scene);
// The scene's settling steps.
void settleScene(const TourScene& scene);
