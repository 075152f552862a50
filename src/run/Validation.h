#pragma once

#include <string>

#include "run/Scenes.h"

// --validate: each scene's reference frames, drawn at this size, are compared
// with the pictures in the data folder's references/ (made on Mesa's llvmpipe
// by scripts/make-references). A frame passes when no block of it differs from
// its reference by more than kValidationTolerance.
constexpr int kValidationWidth = 320;
constexpr int kValidationHeight = 240;
constexpr int kValidationTolerance = 12;

// "<scene>-frame-<n>.png": the reference's name, and the failing frame's under --capture.
std::string referenceName(const TourScene& scene, long frame);

// "validate: on <renderer>, OpenGL <version>".
void beginValidation();
// The frame just drawn is the scene's reference frame `frame`: compares it,
// prints its line and, with a capture folder, writes it and its difference
// there when it fails.
void validateFrame(const TourScene& scene, long frame, const std::string& captureFolder);
// The last scene has been flown: prints the count and returns the exit status.
int endValidation();
