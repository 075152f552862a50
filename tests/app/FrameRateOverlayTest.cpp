// The frame-rate figure of the real frame: when it refreshes and the text it shows.
#include <vector>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/AppState.h"
#include "app/DisplayFrame.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/StartUp.h"
#include "support/GlContext.h"

namespace {

std::vector<bool> whitePixels(const std::vector<unsigned char>& rgba) {
    std::vector<bool> white(rgba.size() / 4);
    for (size_t i = 0; i < white.size(); ++i)
        white[i] = rgba[4 * i] == 255 && rgba[4 * i + 1] == 255 && rgba[4 * i + 2] == 255;
    return white;
}

// `text` as white glyphs of `font` at the overlay's place, (-0.9, -0.9) in device coordinates, on black.
std::vector<bool> textPixels(const GlContext& gl, const char* text, void* font) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glWindowPos2f(0.05f * gl.width, 0.05f * gl.height);
    for (const char* c = text; *c; ++c) glutBitmapCharacter(font, *c);
    glEnable(GL_TEXTURE_2D);
    return whitePixels(gl.readPixels());
}

// The frame's white pixels are exactly `text` in one of the toolkit's bitmap fonts.
bool frameShows(const GlContext& gl, const char* text) {
    const std::vector<bool> frame = whitePixels(gl.readPixels());
    for (void* font : {GLUT_BITMAP_8_BY_13, GLUT_BITMAP_9_BY_15, GLUT_BITMAP_TIMES_ROMAN_10, GLUT_BITMAP_TIMES_ROMAN_24,
                       GLUT_BITMAP_HELVETICA_10, GLUT_BITMAP_HELVETICA_12, GLUT_BITMAP_HELVETICA_18})
        if (frame == textPixels(gl, text, font)) return true;
    return false;
}

// Before the frame: idle time, the previous frame's rate, the shown figure and the frame timer's reading;
// after it: the overlay and the rate.
struct Frame { float idleTime; double previousRate, shownBefore, frameSeconds; const char* shownText; double rate; };

}  // namespace

TEST(FrameRateOverlay, RefreshesAfterHalfASecondAndShowsTheFigureZeroPadded) {
    GlContext gl(256, 64);
    startUp();
    onReshape(gl.width, gl.height);
    // Points only, looking away from every object: the overlay is the frame's only white.
    Scene& scene = *appState.scene;
    scene.cameraMode = CameraMode::Fixed;
    scene.fixedTarget = Vector3(0.0f, 0.0f, 20.0f);
    scene.polygonMode = GL_POINT;

    const Frame frames[] = {
        {0.5f, 123.4, 59.94, 0.25, "059.94 FPS", 4.0},     // exactly half a second: kept
        {0.0f, 5.0, 7.5, 0.5, "007.50 FPS", 2.0},          // kept
        {0.51f, 123.456, 59.94, 0.25, "123.46 FPS", 4.0},  // refreshed from the previous frame's rate
        {2.0f, 1234.5, 1.0, 0.0, "1234.50 FPS", 0.0},      // wider than six characters; no time: rate 0
        {0.6f, 0.0, 59.94, -1.0, "000.00 FPS", 0.0},       // negative time: rate 0
    };
    for (const Frame& f : frames) {
        SCOPED_TRACE(f.shownText);
        appState.fpsAccumulator = f.idleTime;
        appState.currentFps = f.previousRate;
        appState.displayedFps = f.shownBefore;
        appState.frameTimer = FrameTimer{10.0, 10.0 + f.frameSeconds, false};  // stopped: reads frameSeconds
        displayFrame();
        EXPECT_TRUE(frameShows(gl, f.shownText));
        EXPECT_DOUBLE_EQ(appState.currentFps, f.rate);
        EXPECT_EQ(appState.fpsAccumulator, f.idleTime > 0.5f ? 0.0f : f.idleTime);
    }
}
