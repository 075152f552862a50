#pragma once

// Releases the scene and every resource start-up created, with two messages.
void cleanUp();
// The Escape key: leaves the main loop, cleans up and ends the process with 0.
void quitApplication();
