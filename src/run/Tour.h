#pragma once

#include <vector>

#include "run/Scenes.h"

// Flies the chosen scenes one after the other at the tour's step. Each scene:
// the world flown undrawn to its start, one frame that is neither timed nor
// counted (the driver's first use of what the scene draws), the settling
// steps, then its counted frames.
struct TourPosition {
    const TourScene* scene = nullptr;  // null once the tour is over
    long sceneLength = 0;   // counted frames of the scene
    long frame = 0;         // the scene's counted frame being drawn, from 1; 0 for the untimed frame
    bool settled = false;   // the untimed frame has been shown and the settling steps made
};

// `sceneLength` gives the counted frames of each scene.
void beginTour(const std::vector<const TourScene*>& scenes, long (*sceneLength)(const TourScene& scene));
// The idle step's hook: sets the step time, or flies to the next scene's start
// and skips the step so that the untimed frame shows that start.
bool tourBeforeStep(float& dt);
// Where the tour is: which frame is being drawn, or was just shown.
const TourPosition& tourPosition();
// After a frame was shown: true when it was the scene's last. The next step
// moves on to the next scene.
bool tourAfterSwap();
bool tourIsOver();
