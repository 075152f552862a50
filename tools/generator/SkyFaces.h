#pragma once

#include <string>

#include "AssetWriter.h"

// The direction that OpenGL samples at texel (x, y) of a cube-map face, where
// y counts rows in the order the pixel data is uploaded (row 0 = t near 0).
// Faces in the loading order posx, negx, posy, negy, posz, negz.
Vector3 cubeFaceDirection(int face, int x, int y, int size);

// The six 1024x1024 faces of the sky: stars and nebulae as one function of direction.
void writeSkyFaces(AssetWriter& out);
