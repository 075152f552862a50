#pragma once

// Sets the OpenGL state and loads every resource of the scene, once, after the
// window exists and before the main loop.
void startUp();
