#pragma once

// Releases the scene and every resource start-up created, with two messages.
void cleanUp();
// The Escape key: leaves the main loop, cleans up and ends the process with
// `status` (0 for Escape and for runs that end by their own limit).
void quitApplication(int status = 0);
