#pragma once

#include "Image.h"

// The program's icon, size x size: the planet lit from the upper left inside a
// thin blue atmosphere, on a transparent background.
RgbaImage planetIcon(int size);
