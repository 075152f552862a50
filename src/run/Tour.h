#pragma once

#include <vector>

#include "run/Scenes.h"

// Flies the chosen scenes one after the other at the tour's step. Each scene
// is one or more flights of its segment, every flight from the scene's own
// start: the world flown undrawn to that start, one frame that is neither
// timed nor counted (the driver's first use of what the scene draws), the
// settling steps, then the flight's counted frames. So every flight of a
// scene draws the same frames.
struct TourPosition {
    const TourScene* scene = nullptr;  // null once the tour is over
    long flightLength = 0;  // counted frames of each flight of the scene
    long flight = 0;        // the scene's flight being flown, from 1
    long frame = 0;         // the flight's counted frame being drawn, from 1; 0 for the untimed frame
    bool settled = false;   // the untimed frame has been shown and the settling steps made
};

// What the frame just shown ended.
enum class TourMoment { Frame, Flight, Scene };

// `flightLength` gives the counted frames of each flight of a scene, and
// `fliesAgain`, asked at the end of each flight, whether the scene needs another.
void beginTour(const std::vector<const TourScene*>& scenes, long (*flightLength)(const TourScene& scene),
               bool (*fliesAgain)(const TourScene& scene));
// The idle step's hook: sets the step time, or flies to the start of the next
// flight and skips the step so that the untimed frame shows that start.
bool tourBeforeStep(float& dt);
// Where the tour is: which frame is being drawn, or was just shown.
const TourPosition& tourPosition();
// After a counted frame was shown: whether it ended its flight or its scene.
// The next step moves on to the next flight or scene.
TourMoment tourAfterSwap();
bool tourIsOver();
