#pragma once

#include "platform/window/WindowSystem.h"

// The toolkit's window: every call goes to freeglut as the program has always made it.
extern const WindowSystem kGlutWindowSystem;
