#pragma once

// Asks the X server to report a held key as repeated presses followed by one
// release when the key is lifted, instead of a release and a press for every
// repeat. Applies to the display connection of the GL context current on this
// thread; false when there is none or the server cannot, and key events then
// arrive as before.
bool requestDetectableKeyRepeat();
