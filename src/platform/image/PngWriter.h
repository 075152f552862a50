#pragma once

#include <vector>

// A PNG file of 8-bit RGB pixels given bottom row first, as OpenGL reads them
// back; the file's first row is the top one. False if libpng fails.
bool encodePng(int width, int height, const unsigned char* rgbBottomUp, std::vector<unsigned char>& png);
