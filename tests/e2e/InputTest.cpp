// The input handlers of the real program under Xvfb, driven by xdotool.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"

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
int brightPixelsAroundTheFighter(const std::string& png) {
    return std::atoi(runCommand("convert '" + png +
                                "' -crop 600x400+212+184 -colorspace gray -threshold 60% "
                                "-format '%[fx:round(mean*w*h)]' info:")
                         .c_str());
}

class ProgramInput : public testing::Test {
protected:
    ProgramRun run;
    int rightClicks = 0;

    void SetUp() override {
        ASSERT_FALSE(run.findWindow().empty()) << run.standardError();
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
};

}  // namespace

TEST_F(ProgramInput, ButtonsWheelResetAndDragPrintTheirLines) {
    EXPECT_NE(run.standardOutput().find("[INFO] Right Button clicked at: 10 10\n"), std::string::npos);
    run.moveMouse(100, 200);
    run.click(1);
    ASSERT_TRUE(run.waitForOutput("[INFO] Left Button clicked at: 100 200\nCurrent Position: X=", 10.0))
        << run.standardOutput();
    run.key("R");
    ASSERT_TRUE(run.waitForOutput("[INFO] Scene transformations reset.\n\n", 10.0)) << run.standardOutput();
    run.click(4);
    run.click(5);
    run.click(2);  // the middle button is ignored
    ASSERT_TRUE(sync());
    std::string out = run.standardOutput();
    EXPECT_NE(out.find("[INFO] Wheel 0 turned: 1\n[INFO] Wheel 0 turned: -1\n[INFO] Right Button"), std::string::npos)
        << out;
    EXPECT_EQ(occurrences(out, "Button clicked at: "), 3);

    run.moveMouse(200, 100);
    run.mouseDown(1);
    run.moveMouse(200, 500);
    run.mouseUp(1);
    ASSERT_TRUE(sync());
    EXPECT_EQ(run.standardOutput().find("[INFO] Rotation"), std::string::npos);  // only the fixed view

    run.key("C");
    run.moveMouse(200, 100);
    run.mouseDown(1);
    run.moveMouse(200, 500);
    run.moveMouse(230, 500);
    run.mouseUp(1);
    ASSERT_TRUE(sync());
    out = run.standardOutput();
    EXPECT_NE(out.find("[INFO] RotationX: 40\n[INFO] RotationY: 0\n[INFO] RotationX: 40\n[INFO] RotationY: 30\n"),
              std::string::npos)
        << out;
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
    const std::string shots = std::string(ZEN_TEST_TMP_DIR) + "/follow-";
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
    const int onePress = brightPixelsAroundTheFighter(shots + "one-press.png");
    const int held = brightPixelsAroundTheFighter(shots + "held.png");
    EXPECT_LT(2 * held, onePress) << "the fighter should look much smaller: " << onePress << " " << held;
}
