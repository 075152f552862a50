#pragma once

// The idle callback: advances player, asteroids and the active camera by the
// time since the previous step (or by what the run's beforeStep hook makes of
// it), then asks for a redraw, or draws the frame itself when the run says so.
void idleStep();

// One step of the simulation: steers and moves the player, moves the asteroids
// and the active camera by `dt` seconds.
void advanceSimulation(float dt);
