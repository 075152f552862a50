#include "run/Tour.h"

namespace {

struct TourRecord {
    std::vector<const TourScene*> scenes;
    long (*flightLength)(const TourScene&) = nullptr;
    bool (*fliesAgain)(const TourScene&) = nullptr;
    std::size_t next = 0;         // the scene that comes after the current one
    bool betweenFlights = true;   // the next step starts a flight
    bool sceneOver = true;        // ...of the next scene
    TourPosition position;
};

TourRecord tour;

void startNextFlight() {
    TourPosition& at = tour.position;
    tour.betweenFlights = false;
    if (tour.sceneOver) {
        tour.sceneOver = false;
        if (tour.next == tour.scenes.size()) {
            at = TourPosition();
            return;
        }
        at.scene = tour.scenes[tour.next++];
        at.flightLength = tour.flightLength(*at.scene);
        at.flight = 0;
    }
    ++at.flight;
    at.frame = 0;
    at.settled = false;
    flyToSceneStart(*at.scene);
}

}  // namespace

void beginTour(const std::vector<const TourScene*>& scenes, long (*flightLength)(const TourScene&),
               bool (*fliesAgain)(const TourScene&)) {
    tour = TourRecord();
    tour.scenes = scenes;
    tour.flightLength = flightLength;
    tour.fliesAgain = fliesAgain;
}

bool tourBeforeStep(float& dt) {
    if (tour.betweenFlights) {
        startNextFlight();
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

TourMoment tourAfterSwap() {
    const TourPosition& at = tour.position;
    if (!at.scene || at.frame < at.flightLength) return TourMoment::Frame;
    tour.betweenFlights = true;
    tour.sceneOver = !tour.fliesAgain(*at.scene);
    return tour.sceneOver ? TourMoment::Scene : TourMoment::Flight;
}

bool tourIsOver() { return tour.sceneOver && tour.next == tour.scenes.size(); }
