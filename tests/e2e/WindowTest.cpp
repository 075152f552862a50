// The real program under the suite's Xvfb: its window, its identity for the
// desktop, first output and frames.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/InitializedProgram.h"
#include "support/Scratch.h"

namespace {

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// A 32-bit property of a window as xprop reads it, all of it, as numbers.
std::vector<std::uint32_t> cardinals(const std::string& window, const std::string& property) {
    std::istringstream text(runCommand("xprop -len 4000000 -id " + window + " -f " + property + " 32c " + property +
                                       " | cut -d= -f2- | tr , ' '"));
    std::vector<std::uint32_t> values;
    for (unsigned long value = 0; text >> value;) values.push_back(static_cast<std::uint32_t>(value));
    return values;
}

// One channel of a pixel of a PNG file, 0 to 255.
int pngChannel(const std::string& png, int x, int y, char channel) {
    return static_cast<int>(
        imageFigure(png, "", "round(255*p{" + std::to_string(x) + "," + std::to_string(y) + "}." + channel + ")"));
}

}  // namespace

TEST(ProgramWindow, OpensTitledWindowAtRequestedPlaceAndSize) {
    ProgramRun run;
    const std::string window = run.findWindow();
    ASSERT_FALSE(window.empty()) << run.standardError();
    EXPECT_EQ(firstLine(run.standardOutput()), "[INFO] Initializing GLUT ...");

    const WindowGeometry geometry = windowGeometry(window);
    EXPECT_EQ(geometry.title, "The Zendrils are back");
    EXPECT_EQ(geometry.width, 1024);
    EXPECT_EQ(geometry.height, 768);
    EXPECT_EQ(geometry.x, 50);
    EXPECT_EQ(geometry.y, 50);
    EXPECT_FALSE(run.hasExited());
}

TEST(ProgramWindow, KeepsDrawingNewFrames) {
    InitializedProgram run;
    ASSERT_TRUE(run.ready) << run.standardError();
    const std::string first = scratchPath("first.png"), later = scratchPath("later.png");
    ASSERT_TRUE(run.waitForFrames(2) && run.screenshot(first));  // the first frames may be slow to come
    pause(1.5);
    ASSERT_TRUE(run.waitForFrames(2) && run.screenshot(later));
    // The fighter moves along its path and the frame-rate figure refreshes twice a second.
    EXPECT_NE(readFile(first), readFile(later));
}

// Taskbars match the window to the installed desktop entry by WM_CLASS and
// show _NET_WM_ICON: the generator's icon at every size, pixel for pixel.
TEST(ProgramWindow, NamesItsClassAndCarriesTheIconsForTheDesktop) {
    InitializedProgram run;  // named long before start-up ends
    ASSERT_TRUE(run.ready) << run.standardError();
    const std::string window = run.findWindow();
    EXPECT_EQ(runCommand("xprop -id " + window + " WM_CLASS"), "WM_CLASS(STRING) = \"zendrils\", \"zendrils\"\n");

    const std::vector<std::uint32_t> icon = cardinals(window, "_NET_WM_ICON");
    std::vector<int> sizes;
    for (size_t at = 0; at + 2 <= icon.size(); at += 2 + static_cast<size_t>(icon[at]) * icon[at + 1]) {
        const int size = static_cast<int>(icon[at]);
        ASSERT_EQ(icon[at + 1], icon[at]) << "square images";
        ASSERT_LE(at + 2 + static_cast<size_t>(size) * size, icon.size());
        sizes.push_back(size);
        const std::string png = std::string(ZEN_BUILD_DIR) + "/icons/hicolor/" + std::to_string(size) + "x" +
                                std::to_string(size) + "/apps/zendrils.png";
        const int centre = size / 2;
        const std::uint32_t argb = icon[at + 2 + static_cast<size_t>(centre) * size + centre];
        SCOPED_TRACE(png);
        EXPECT_EQ(static_cast<int>(argb >> 24), pngChannel(png, centre, centre, 'a'));
        EXPECT_EQ(static_cast<int>(argb >> 16 & 0xff), pngChannel(png, centre, centre, 'r'));
        EXPECT_EQ(static_cast<int>(argb >> 8 & 0xff), pngChannel(png, centre, centre, 'g'));
        EXPECT_EQ(static_cast<int>(argb & 0xff), pngChannel(png, centre, centre, 'b'));
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 64, 128, 256}));
}

// The toolkit shows its window before the class is set; shown again, the
// window is taken on anew and the window manager applies its rule for the
// class, instead of the requested place (50, 50). Nothing of it reaches the console.
