#include "app/Input.h"

// Placeholders until the input handlers land.
void onKeyDown(unsigned char, int, int) {}
void onKeyUp(unsigned char, int, int) {}
void onSpecialKeyDown(int, int, int) {}
void onSpecialKeyUp(int, int, int) {}
void onMouseButton(int, int, int, int) {}
void onMouseDrag(int, int) {}
void onMouseMove(int, int) {}
void onMouseWheel(int, int, int, int) {}
void onReshape(int, int) {}
void cyclePolygonMode() {}
void resetSceneTransformations() {}
