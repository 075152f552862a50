#pragma once

#include <string>
#include <vector>

// The finished frame (width by height pixels) as 8-bit RGB, bottom row first as
// OpenGL reads it: from the window's back buffer, or from the off-screen target.
std::vector<unsigned char> readFrame(int width, int height);

// Turns RGB pixels of width by height upside down, in place.
void flipRows(std::vector<unsigned char>& pixels, int width, int height);

// "<folder>/<name>", with one slash between them.
std::string pathInFolder(const std::string& folder, const std::string& name);
// "<folder>/frame-000042.png" for frame 42.
std::string capturedFrameName(const std::string& folder, long frame);

// Writes RGB pixels (bottom row first) as a PNG file through writeOutputFile.
// On failure writes one error line naming the file (shownValue) and returns false.
bool writeFramePicture(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb);
