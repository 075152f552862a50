#pragma once

#include <array>
#include <string>

// DevIL, ILU and ILUT set up as the program does at start-up (ILUT for OpenGL,
// so a GL context must be current), with existing files overwritten on save.
void initialiseImageLibrary();

using Rgb = std::array<unsigned char, 3>;

// Saves a `width` x `height` image of one colour, square when no height is given;
// the extension of `path` picks the format.
void writeSolidImage(const std::string& path, int width, const Rgb& colour, int height = 0);
