#pragma once

#include <string>

#include "Image.h"

// The program's icon, size x size: the planet lit from the upper left inside a
// thin blue atmosphere, on a transparent background.
RgbaImage planetIcon(int size);

// Writes the icon at 16, 32, 48, 64, 128 and 256 pixels as
// <theme>/<N>x<N>/apps/zendrils.png (the layout of an icon theme such as
// hicolor), and the same images as `source`, a C++ file that defines the
// program's kProgramIcon (platform/os/WindowIdentity.h).
// False, with the reason on standard error, when a file cannot be written.
bool writeIcons(const std::string& theme, const std::string& source);
