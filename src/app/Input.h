#pragma once

// Keyboard, mouse and reshape callbacks. They only set flags and fields; the
// next idle step and frame act on them.
void onKeyDown(unsigned char key, int x, int y);
void onKeyUp(unsigned char key, int x, int y);
void onSpecialKeyDown(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onMouseDrag(int x, int y);
void onMouseMove(int x, int y);
void onMouseWheel(int wheel, int direction, int x, int y);
void onReshape(int width, int height);

// Cycles the polygon mode fill -> line -> point -> fill.
void cyclePolygonMode();
// Puts the fixed view's eye, target and drag angles back to their defaults.
void resetSceneTransformations();
