// The whole flight of the real program: first path, hover loop, reflective fighter, its shadow, sky box.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "math/Vector3.h"
#include "support/InitializedProgram.h"
#include "support/Scratch.h"

namespace {

using Position = Vector3;

// The fighter's position from the last "Current Position" line a left click prints (NaN if none).
Position lastPrintedPosition(const std::string& out) {
    Position p(NAN, NAN, NAN);
    const size_t at = out.rfind("Current Position: ");
    if (at != std::string::npos) std::sscanf(out.c_str() + at, "Current Position: X=%f Y=%f Z=%f", &p.x, &p.y, &p.z);
    return p;
}

Position clickForPosition(ProgramRun& run, int& clicks) {
    run.click(1);
    ++clicks;
    const std::string marker = "[INFO] Left Button clicked at: ";
    for (double waited = 0; waited < 10.0; waited += 0.1) {
        const std::string out = run.standardOutput();
        if (occurrences(out, marker) >= clicks && out.find("Current Position: ", out.rfind(marker)) != std::string::npos)
            return lastPrintedPosition(out);
        pause(0.1);
    }
    return Position(NAN, NAN, NAN);
}

// Centre of the hover loop over the podium's pad.
bool overThePad(const Position& p) {
    return std::fabs(p.x - 226.2f) < 20.0f && std::fabs(p.y + 7.0f) < 10.0f && std::fabs(p.z + 467.0f) < 20.0f;
}

// Mean brightness (0 to 1) of a rectangle of a saved screenshot.
double meanBrightness(const std::string& png, int width, int height, int x, int y) {
    return imageFigure(png, "-crop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
                                std::to_string(x) + "+" + std::to_string(y));
}

// Mean grey (0 to 1) of the 40 by 40 pixels from (x, y) of a screenshot.
double grey(const std::string& png, int x, int y) {
    return imageFigure(png, "-crop 40x40+" + std::to_string(x) + "+" + std::to_string(y) + " -colorspace gray");
}

const char* const kGreen = "#00ff00";

// How much greener than red the middle of the follow view is, per pixel that is
// not the pure green sky: the sky mirrored on a surface makes it green. Measured
// in the first coming frame where things cover a hundredth of the middle (the
// first frames may show the sky alone); NaN if none does.
double greenTint(ProgramRun& run, const std::string& name) {
    const std::string png = scratchPath(name + ".png");
    const std::string things = std::string("-crop 600x400+212+184 -fuzz 8% -fill black -opaque '") + kGreen + "'";
    for (int shot = 0; shot < 20; ++shot) {
        if (!run.waitForFrames(2) || !run.screenshot(png)) return NAN;
        const double covered = imageFigure(png, things + " -fill white +opaque black", "mean");
        if (covered >= 0.01) return imageFigure(png, things, "mean.g - mean.r") / covered;
    }
    return NAN;
}

}  // namespace

// Under a sky of pure green the fighter mirrors green once it draws with the
// reflective pair, which it does from the hover loop on; there its shadow darkens the pad.
TEST(ProgramFlight, ReachesTheHoverLoopWhereTheReflectiveFighterShadowsThePad) {
    const std::string bin = stagedCopy("green-sky");
    runCommand("for face in posx negx posy negy posz negz; do convert -size 8x8 'xc:" + std::string(kGreen) + "' '" +
               bin + "/../resources/textures/custom_space/'$face.png; done");
    InitializedProgram run(bin);
    ASSERT_TRUE(run.ready) << run.standardError();
    run.moveMouse(10, 10);

    int clicks = 0;
    const double pathTint = greenTint(run, "first-path");
    const Position start = clickForPosition(run, clicks);
    ASSERT_FALSE(std::isnan(start.x)) << run.standardOutput();
    EXPECT_FALSE(overThePad(start));

    // The first path is about 1,200 units at 30 units per second.
    Position now = start;
    for (int tries = 0; tries < 40 && !overThePad(now); ++tries) {
        pause(2.0);
        now = clickForPosition(run, clicks);
        ASSERT_FALSE(run.hasExited()) << run.standardError();
    }
    ASSERT_TRUE(overThePad(now)) << "X=" << now.x << " Y=" << now.y << " Z=" << now.z;

    // Once the spring has caught up, it hovers at one unit per second: slower than two units per
    // second of the time from the first click to the second's answer, which is longer than between them.
    pause(4.0);
    const double hoverTint = greenTint(run, "hover");
    const auto firstClick = std::chrono::steady_clock::now();
    const Position settled = clickForPosition(run, clicks);
    pause(2.0);
    const Position later = clickForPosition(run, clicks);
    const std::chrono::duration<float> between = std::chrono::steady_clock::now() - firstClick;
    EXPECT_LT(length(settled - later), 2.0f * between.count()) << between.count() << " s";
    EXPECT_TRUE(overThePad(later));
    EXPECT_GT(hoverTint, pathTint + 0.08) << "first path " << pathTint << ", hover " << hoverTint;

    // Free flight: the fighter comes to rest facing -z, 8 units above the pad. Twenty '+' put the follow
    // camera 30 units behind it, looking down on it and on its shadow, which the light from (500, 650, 250)
    // casts onto the pad 6 units left of it and 3 further away.
    run.key("l");
    std::string pluses;
    for (int press = 0; press < 20; ++press) pluses += "plus ";
    run.key(pluses);
    pause(5.0);
    const std::string png = scratchPath("shadow.png");
    ASSERT_TRUE(run.screenshot(png));
    const double shadow = grey(png, 360, 400);  // under the fuselage's shadow
    for (int x : {240, 430})                     // the lit pad left and right of the shadow's nose
        EXPECT_GT(grey(png, x, 360), 1.5 * shadow) << "at x = " << x << ", shadow " << shadow;
    EXPECT_FALSE(run.hasExited()) << run.standardError();
    EXPECT_EQ(run.standardError(), "");
}

TEST(ProgramFlight, SkyBoxFillsTheBackgroundOfEveryView) {
    InitializedProgram run;
    ASSERT_TRUE(run.ready) << run.standardError();
    for (const char* view : {"m", "C", "c"}) {
        run.key(view);
        pause(1.5);
        const std::string png = scratchPath(std::string(view) + ".png");
        ASSERT_TRUE(run.screenshot(png));
        // The clear colour is black; stars and nebula show in every quarter of the window.
        for (const auto& corner : {std::pair{0, 0}, std::pair{512, 0}, std::pair{0, 384}, std::pair{512, 384}})
            EXPECT_GT(meanBrightness(png, 512, 384, corner.first, corner.second), 0.01)
                << view << " view, quarter at " << corner.first << "," << corner.second;
    }
}

namespace {

// Pixels of a saved screenshot in one of the path overlay's pure colours: close enough that
// the lit red of the fighter, however near the follow camera shows it, does not count.
int overlayPixels(const std::string& png, const std::string& colour) {
    return static_cast<int>(imageFigure(png, "-fuzz 10% -fill black +opaque '" + colour + "' -fill white -opaque '" +
                                                 colour + "' -colorspace gray",
                                        "round(mean*w*h)"));
}

int curvePixels(const std::string& png) { return overlayPixels(png, "#00ff00"); }
int controlPointPixels(const std::string& png) { return overlayPixels(png, "#ff0000"); }

// A screenshot of a frame drawn after every event sent so far was handled.
bool screenshotOfTheHandledEvents(ProgramRun& run, const std::string& png) {
    return run.sync() && run.waitForFrames(2) && run.screenshot(png);
}

}  // namespace

TEST(ProgramFlight, PolygonModeCyclesThroughLinesAndPointsAndPathOverlayShowsTheCurve) {
    InitializedProgram run;
    ASSERT_TRUE(run.ready) << run.standardError();
    const std::string base = scratchPath("mode-");
    run.moveMouse(10, 10);  // where the clicks that sync go
    run.key("C");           // the planet fills most of the fixed view
    double brightness[4];
    for (int press = 0; press < 4; ++press) {
        const std::string png = base + std::to_string(press) + ".png";
        ASSERT_TRUE(screenshotOfTheHandledEvents(run, png));
        brightness[press] = meanBrightness(png, 1024, 768, 0, 0);
        if (press < 3) run.key("p");
    }
    // Filled, lines, points, filled again: the sky box and the planet lose their surfaces in between.
    EXPECT_LT(brightness[1], brightness[0] / 2) << brightness[0] << " " << brightness[1];
    EXPECT_LT(brightness[2], brightness[0] / 2) << brightness[0] << " " << brightness[2];
    EXPECT_NEAR(brightness[3], brightness[0], brightness[0] * 0.2);

    // The free camera stays where it starts, with the later half of the path in view: the
    // overlay looks the same there whenever the shots come.
    run.key("c");
    ASSERT_TRUE(screenshotOfTheHandledEvents(run, base + "no-path.png"));
    // Held far past the repeat delay, 'k' changes nothing; its release steps once, to the curve alone.
    run.keyDown("k");
    for (const char* held : {"k-held-1.png", "k-held-2.png"}) {
        pause(0.7);  // the display repeats the key
        ASSERT_TRUE(screenshotOfTheHandledEvents(run, base + held));
    }
    run.keyUp("k");
    ASSERT_TRUE(screenshotOfTheHandledEvents(run, base + "path.png"));
    const int curveBefore = curvePixels(base + "no-path.png");
    const int controlBefore = controlPointPixels(base + "no-path.png");
    for (const char* held : {"k-held-1.png", "k-held-2.png"}) {
        EXPECT_LE(curvePixels(base + held), curveBefore + 10) << held;
        EXPECT_LE(controlPointPixels(base + held), controlBefore + 100) << held;
    }
    EXPECT_GT(curvePixels(base + "path.png"), curveBefore + 40);
    EXPECT_LE(controlPointPixels(base + "path.png"), controlBefore + 100);  // the fighter has red too
}
