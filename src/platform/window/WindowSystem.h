#pragma once

// What the frame, the idle step and start-up ask of the window system that
// holds their OpenGL context: the toolkit's window (platform/glut), or a
// context without any window (platform/egl), for machines without a display.
struct WindowSystem {
    const char* name;  // as start-up's lines name it: "GLUT", "EGL"
    bool loadsGlx;     // the extension loader also finds GLX on this context
    void (*swapBuffers)();
    void (*postRedisplay)();  // asks for a frame from the main loop
    void (*leaveMainLoop)();
    void (*hideCursor)();
    // The frame-rate figure's text, glyph after glyph from the raster position.
    void (*drawBitmapText)(const char* text);
    // A cube of the given edge centred on the origin, with face normals.
    void (*drawSolidCube)(double edge);
};
