#pragma once

// The toolkit's solid cube without the toolkit: the same vertices, normals and
// triangles in the same order (each face a quad from its +x+y corner, split
// from its first vertex), so that a frame drawn with either has the same bytes.
void drawSolidCube(double edge);
