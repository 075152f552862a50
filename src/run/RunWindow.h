#pragma once

// The window of a run: its size and place from --size and -geometry, its
// samples, its swap interval, a hidden one for an off-screen run, and the
// callbacks a run takes over.

// Keeps the frame size an off-screen run draws at; before the toolkit starts.
void keepAskedSize();
// After glutInit, before the window: its size, place and display mode. Ends
// the process with status 1 when the driver cannot give the samples asked for.
void prepareWindow();
// After the window is made and its callbacks are registered: full screen,
// swap interval, a hidden window for an off-screen run.
void windowCreated();
// After start-up, before beginRun(): a run that draws from its idle step
// ignores the toolkit's redisplays, and a tour's input leaves it alone.
void takeOverWindowCallbacks();
