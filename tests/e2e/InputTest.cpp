// The input handlers of the real program under Xvfb, driven by xdotool.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/InitializedProgram.h"
#include "support/Scratch.h"

namespace {

// Half the right and bottom of the window at (50, 50): the mouse-look reference point.
constexpr int kReferenceX = (50 + 1024) / 2;
constexpr int kReferenceY = (50 + 768) / 2;

bool pointerReaches(int x, int y, double timeoutSeconds) {
    for (double waited = 0; waited < timeoutSeconds; waited += 0.05) {
        int px = -1, py = -1;
        std::sscanf(runCommand("xdotool getmouselocation").c_str(), "x:%d y:%d", &px, &py);
        if (px == x && py == y) return true;
        pause(0.05);
    }
    return false;
}

class ProgramInput : public testing::Test {
protected:
    explicit ProgramInput(const std::string& bin = ZEN_BIN_DIR) : run(bin) {}

    InitializedProgram run;

    void SetUp() override {
        ASSERT_TRUE(run.ready) << run.standardError();
        run.moveMouse(10, 10);
        ASSERT_TRUE(run.sync()) << run.standardOutput() << run.standardError();
    }

    // Down at (200, 100), through (200, 500) and (230, 500), up.
    void drag() {
        run.moveMouse(200, 100);
        run.mouseDown(1);
        run.moveMouse(200, 500);
        run.moveMouse(230, 500);
        run.mouseUp(1);
    }

    // Mean brightness of the window once the events so far have been drawn.
    double brightness(const std::string& name) {
        const std::string png = scratchPath(name + ".png");
        return run.waitForFrames(2) && run.screenshot(png) ? imageFigure(png, "") : -1.0;
    }
};

// The fighter alone under a black sky: no planet, podium, asteroid or star
// whose bright pixels would count with the fighter's.
std::string loneFighter() {
    const std::string bin = stagedCopy("lone-fighter");
    const std::string models = bin + "/../resources/models/";
    runCommand("rm '" + models + "planet/planet.3ds' '" + models + "podium/podium.3ds' '" + models +
               "asteroid/asteroid.3ds' && for face in posx negx posy negy posz negz; do convert -size 8x8 xc:black '" +
               bin + "/../resources/textures/custom_space/'$face.png; done");
    return bin;
}

class LoneFighterInput : public ProgramInput {
protected:
    LoneFighterInput() : ProgramInput(loneFighter()) {}

    // Bright pixels around the middle of a coming frame, where the fighter is (-1 if none came).
    double fighterPixels(const std::string& name) {
        const std::string png = scratchPath(name + ".png");
        if (!run.waitForFrames(2) || !run.screenshot(png)) return -1.0;
        return imageFigure(png, "-crop 600x400+212+184 -colorspace gray -threshold 60%", "round(mean*w*h)");
    }

    // Bright pixels of the fighter once the follow camera has come to rest: the
    // same within 2 % in two frames a few frames apart.
    double fighterPixelsAtRest(const std::string& name) {
        double before = fighterPixels(name);
        for (int shot = 1; shot < 40; ++shot) {
            const double now = fighterPixels(name);
            if (std::fabs(now - before) <= 0.02 * before) return now;
            before = now;
        }
        return -1.0;
    }
};

const char* const kDragLines = "[INFO] RotationX: 40\n[INFO] RotationY: 0\n[INFO] RotationX: 40\n[INFO] RotationY: 30\n";

}  // namespace

TEST_F(ProgramInput, ButtonsPrintTheirLinesAndDragLeavesTheFollowViewAlone) {
    EXPECT_NE(run.standardOutput().find("[INFO] Right Button clicked at: 10 10\n"), std::string::npos);
    run.moveMouse(100, 200);
    run.click(1);
    ASSERT_TRUE(run.waitForOutput("[INFO] Left Button clicked at: 100 200\nCurrent Position: X=", 10.0))
        << run.standardOutput();
    run.click(2);  // the middle button is ignored
    drag();
    ASSERT_TRUE(run.sync());
    EXPECT_EQ(occurrences(run.standardOutput(), "Button clicked at: "), 4);
    EXPECT_EQ(run.standardOutput().find("[INFO] Rotation"), std::string::npos);  // only the fixed view turns
}

// In the fixed view, where the planet fills most of the window from z = 10.
TEST_F(ProgramInput, WheelMovesTheFixedEyeAndResetUndoesItAndTheRotation) {
    run.key("C");
    drag();
    ASSERT_TRUE(run.sync());
    const double near = brightness("near");
    for (int turn = 0; turn < 6; ++turn) run.click(4);  // one unit back each
    ASSERT_TRUE(run.sync());
    EXPECT_EQ(occurrences(run.standardOutput(), "[INFO] Wheel 0 turned: 1\n"), 6);
    const double far = brightness("far");
    EXPECT_LT(far, 0.8 * near) << "the planet should look smaller: " << near << " " << far;

    run.key("R");
    ASSERT_TRUE(run.waitForOutput("[INFO] Scene transformations reset.\n\n", 10.0)) << run.standardOutput();
    EXPECT_NEAR(brightness("reset"), near, 0.1 * near);
    drag();  // turns from zero again
    run.click(5);
    ASSERT_TRUE(run.sync());
    EXPECT_EQ(occurrences(run.standardOutput(), kDragLines), 2) << run.standardOutput();
    EXPECT_NE(run.standardOutput().find("[INFO] Wheel 0 turned: -1\n"), std::string::npos);
}

TEST_F(ProgramInput, PointerIsRecentredInTheFlyViewAndInFreeFlightAfterTheRelease) {
    run.key("c");
    run.moveMouse(300, 300);
    EXPECT_TRUE(pointerReaches(kReferenceX, kReferenceY, 10.0));

    run.key("m");  // following the fighter on its path: the pointer stays
    // The fly view's last motion events read the pointer when handled: let them go first.
    ASSERT_TRUE(run.sync());
    run.moveMouse(300, 300);
    ASSERT_TRUE(run.sync());
    EXPECT_FALSE(pointerReaches(kReferenceX, kReferenceY, 0.5));

    // Held well past the repeat delay, 'l' does nothing until it is released: were the
    // fighter in free flight at any moment, the motion would recentre the pointer.
    run.keyDown("l");
    for (int move = 1; move <= 8; ++move) {
        run.moveMouse(300 + 10 * move, 300);
        EXPECT_FALSE(pointerReaches(kReferenceX, kReferenceY, 0.2)) << "move " << move;
    }
    ASSERT_TRUE(run.sync());

    run.keyUp("l");
    run.moveMouse(320, 300);
    EXPECT_TRUE(pointerReaches(kReferenceX, kReferenceY, 10.0));  // free flight: the mouse pitches the fighter
    EXPECT_FALSE(run.hasExited()) << run.standardError();
}

TEST_F(LoneFighterInput, HeldPlusKeepsMovingTheFollowCameraBack) {
    run.key("l");  // free flight: with no key held the fighter comes to rest
    run.key("plus");
    ASSERT_TRUE(run.sync());
    const double onePress = fighterPixelsAtRest("one-press");
    ASSERT_GT(onePress, 0.0);
    // Held, the key repeats, and each repeat moves the camera one more step back: some 17 steps,
    // under a second at the display's 30 repeats a second, halve the fighter's area.
    run.keyDown("plus");
    double held = onePress;
    for (int shot = 0; shot < 40 && 2 * held >= onePress; ++shot) {
        held = fighterPixels("held");
        ASSERT_GE(held, 0.0) << run.standardError();
    }
    run.keyUp("plus");
    EXPECT_LT(2 * held, onePress) << "the fighter should look much smaller: " << onePress << " " << held;
}
