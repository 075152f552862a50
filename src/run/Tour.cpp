#include "run/Tour.h"

namespace {

struct TourRecord {
    std::vector<const TourScene*> scenes;
    long (*sceneLength)(const TourScene&) = nullptr;
    std::size_t next = 0;       // the scene that comes after the current one
    bool betweenScenes = true;  // the next step starts the next scene
    TourPosition position;
};

TourRecord tour;

bool startNextScene() {
    TourPosition& at = tour.position;
    tour.betweenScenes = false;
    if (tour.next == tour.scenes.size()) {
        at = TourPosition();
        return false;
    }
    at.scene = tour.scenes[tour.next++];
    at.sceneLength = tour.sceneLength(*at.scene);
    at.frame = 0;
    at.settled = false;
    flyToSceneStart(*at.scene);
    return true;
}

}  // namespace

void beginTour(const std::vector<const TourScene*>& scenes, long (*sceneLength)(const TourScene&)) {
    tour = TourRecord();
    tour.scenes = scenes;
    tour.sceneLength = sceneLength;
}

bool tourBeforeStep(float& dt) {
    if (tour.betweenScenes) {
        startNextScene();
        return false;
    }
    TourPosition& at = tour.position;
    if (!at.scene) return false;
    if (!at.settled) {
        settleScene(*at.scene);
        at.settled = true;
    }
    ++at.frame;
    dt = static_cast<float>(kTourStepMilliseconds / 1000.0);
    return true;
}

const TourPosition& tourPosition() { return tour.position; }

bool tourAfterSwap() {
    const TourPosition& at = tour.position;
    if (!at.scene || at.frame < at.sceneLength) return false;
    tour.betweenScenes = true;
    return true;
}

bool tourIsOver() { return tour.betweenScenes && tour.next == tour.scenes.size(); }
