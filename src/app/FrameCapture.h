#pragma once

#include <string>

// "<folder>/frame-000042.png" for frame 42.
std::string capturedFrameName(const std::string& folder, long frame);

// Reads the back buffer (width by height pixels) and writes it as the PNG of
// `frame` in `folder`, through writeOutputFile. On failure writes one error
// line naming the file and returns false.
bool captureFrame(const std::string& folder, long frame, int width, int height);
