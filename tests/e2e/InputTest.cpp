// The input handlers of the real program under Xvfb, driven by xdotool.
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

// Bright pixels around the middle of the follow view, where the fighter is.
double brightPixelsAroundTheFighter(const std::string& png) {
    return imageFigure(png, "-crop 600x400+212+184 -colorspace gray -threshold 60%", "round(mean*w*h)");
}

class ProgramInput : public testing::Test {
protected:
    InitializedProgram run;
    int rightClicks = 0;

    void SetUp() override {
        ASSERT_TRUE(run.ready) << run.standardError();
        run.moveMouse(10, 10);
        ASSERT_TRUE(sync()) << run.standardOutput() << run.standardError();
    }

    // A right click whose message shows that every event before it was handled.
    bool sync() {
        run.click(3);
        ++rightClicks;
        for (double waited = 0; waited < 30.0; waited += 0.05) {
            if (occurrences(run.standardOutput(), "[INFO] Right Button clicked at: ") >= rightClicks) return true;
            pause(0.05);
        }
        return false;
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
        pause(0.5);
        return run.screenshot(png) ? imageFigure(png, "") : -1.0;
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
    ASSERT_TRUE(sync());
    EXPECT_EQ(occurrences(run.standardOutput(), "Button clicked at: "), 4);
    EXPECT_EQ(run.standardOutput().find("[INFO] Rotation"), std::string::npos);  // only the fixed view turns
}

// In the fixed view, where the planet fills most of the window from z = 10.
TEST_F(ProgramInput, WheelMovesTheFixedEyeAndResetUndoesItAndTheRotation) {
    run.key("C");
    drag();
    ASSERT_TRUE(sync());
    const double near = brightness("near");
    for (int turn = 0; turn < 6; ++turn) run.click(4);  // one unit back each
    ASSERT_TRUE(sync());
    EXPECT_EQ(occurrences(run.standardOutput(), "[INFO] Wheel 0 turned: 1\n"), 6);
    const double far = brightness("far");
    EXPECT_LT(far, 0.8 * near) << "the planet should look smaller: " << near << " " << far;

    run.key("R");
    ASSERT_TRUE(run.waitForOutput("[INFO] Scene transformations reset.\n\n", 10.0)) << run.standardOutput();
    EXPECT_NEAR(brightness("reset"), near, 0.1 * near);
    drag();  // turns from zero again
    run.click(5);
    ASSERT_TRUE(sync());
    EXPECT_EQ(occurrences(run.standardOutput(), kDragLines), 2) << run.standardOutput();
    EXPECT_NE(run.standardOutput().find("[INFO] Wheel 0 turned: -1\n"), std::string::npos);
}

TEST_F(ProgramInput, PointerIsRecentredInTheFlyViewAndInFreeFlightAfterTheRelease) {
    run.key("c");
    run.moveMouse(300, 300);
    EXPECT_TRUE(pointerReaches(kReferenceX, kReferenceY, 10.0));

    run.key("m");  // following the fighter on its path: the pointer stays
    // The fly view's last motion events read the pointer when handled: let them go first.
    ASSERT_TRUE(sync());
    run.moveMouse(300, 300);
    ASSERT_TRUE(sync());
    EXPECT_FALSE(pointerReaches(kReferenceX, kReferenceY, 0.5));

    // Held well past the repeat delay, 'l' does nothing until it is released: were the
    // fighter in free flight at any moment, the motion would recentre the pointer.
    run.keyDown("l");
    for (int move = 1; move <= 8; ++move) {
        run.moveMouse(300 + 10 * move, 300);
        EXPECT_FALSE(pointerReaches(kReferenceX, kReferenceY, 0.2)) << "move " << move;
    }
    ASSERT_TRUE(sync());

    run.keyUp("l");
    run.moveMouse(320, 300);
    EXPECT_TRUE(pointerReaches(kReferenceX, kReferenceY, 10.0));  // free flight: the mouse pitches the fighter
    EXPECT_FALSE(run.hasExited()) << run.standardError();
}

TEST_F(ProgramInput, HeldPlusKeepsMovingTheFollowCameraBack) {
    const std::string shots = scratchPath("follow-");
    run.key("l");  // free flight: with no key held the fighter comes to rest
    run.key("plus");
    ASSERT_TRUE(sync());
    pause(3.0);  // the camera glides to its new distance
    ASSERT_TRUE(run.screenshot(shots + "one-press.png"));
    run.keyDown("plus");  // repeats, one step back each
    pause(3.0);
    run.keyUp("plus");
    ASSERT_TRUE(sync());
    pause(3.0);
    ASSERT_TRUE(run.screenshot(shots + "held.png"));
    const double onePress = brightPixelsAroundTheFighter(shots + "one-press.png");
    const double held = brightPixelsAroundTheFighter(shots + "held.png");
    EXPECT_LT(2 * held, onePress) << "the fighter should look much smaller: " << onePress << " " << held;
}
