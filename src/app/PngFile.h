#pragma once

#include <string>

// Writes 8-bit RGB pixels, bottom row first as OpenGL reads them back, to a PNG
// file whose first row is the top one. On failure returns false with the
// reason in `problem`; what was written of the file stays.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgbBottomUp,
              std::string& problem);
