#pragma once

// The idle callback: advances player, asteroids and the active camera by the
// time since the previous step, then asks for a redraw.
void idleStep();
