// The real program's composed frame shadows: hovering over the podium, the fighter darkens the pad below it.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/Scratch.h"

namespace {

// Mean brightness (0 to 1) of the 40 by 40 pixels from (x, y) of a screenshot.
double meanBrightness(const std::string& png, int x, int y) {
    const std::string crop = "40x40+" + std::to_string(x) + "+" + std::to_string(y);
    return std::atof(
        runCommand("convert '" + png + "' -crop " + crop + " -colorspace gray -format '%[fx:mean]' info:").c_str());
}

}  // namespace

TEST(ProgramShadow, TheHoveringFighterDarkensThePadBelowIt) {
    ProgramRun run;
    ASSERT_FALSE(run.findWindow().empty()) << run.standardError();
    ASSERT_TRUE(run.waitForOutput("[INFO] Application initialized.", 60.0)) << run.standardError();
    // The first path, some 1,200 units at 30 per second, ends where the hover loop over the pad begins;
    // on the loop the fighter is drawn reflective and followed from 10 units.
    pause(48.0);

    // Free flight: the fighter comes to rest facing -z, 8 units above the pad. Twenty '+' put the follow
    // camera 30 units behind it, looking down on it and on its shadow, which the light from (500, 650, 250)
    // casts onto the pad 6 units left of it and 3 further away.
    run.key("l");
    std::string pluses;
    for (int press = 0; press < 20; ++press) pluses += "plus ";
    run.key(pluses);
    pause(5.0);
    const std::string png = scratchPath("hover.png");
    ASSERT_TRUE(run.screenshot(png));
    const double shadow = meanBrightness(png, 360, 400);  // under the fuselage's shadow
    for (int x : {240, 430})                               // the lit pad left and right of the shadow's nose
        EXPECT_GT(meanBrightness(png, x, 360), 1.5 * shadow) << "at x = " << x << ", shadow " << shadow;

    run.key("Escape");
    EXPECT_EQ(run.waitForExit(30.0), 0);
}
