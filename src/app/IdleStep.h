#pragma once

// The idle callback: advances player, asteroids and the active camera by the
// time since the previous step (or by --step, once per drawn frame), then asks
// for a redraw.
void idleStep();

// One step of the simulation: steers and moves the player, moves the asteroids
// and the active camera by `dt` seconds.
void advanceSimulation(float dt);
