#pragma once

// A square of half-size `half` in the z = 0 plane facing +z, texture coordinates
// 0 to 1 across it and tangents along +x with the given handedness, sent with
// the attribute layout of the model library (tangent in texture unit 1).
void drawTangentQuad(float half, float handedness);
