// The window identity on a real X window: icon lists the server cannot take
// in one request, or that end early, leave out what does not fit.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/os/WindowIdentity.h"
#include "support/GlContext.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <GL/glx.h>

namespace {

void appendImage(std::vector<std::uint32_t>& values, std::uint32_t width, std::uint32_t height, size_t pixels) {
    values.push_back(width);
    values.push_back(height);
    values.insert(values.end(), pixels, 0xff336699u);
}

// The widths of the images in the current window's _NET_WM_ICON.
std::vector<long> storedWidths() {
    Display* display = glXGetCurrentDisplay();
    const Window window = static_cast<Window>(glXGetCurrentDrawable());
    XSync(display, False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), 0, 1L << 24, False,
                       XA_CARDINAL, &type, &format, &count, &remaining, &data);
    std::vector<long> widths;
    const long* values = reinterpret_cast<const long*>(data);
    for (unsigned long at = 0; data && at + 2 <= count; at += 2 + values[at] * values[at + 1])
        widths.push_back(values[at]);
    if (data) XFree(data);
    return widths;
}

struct IconCase {
    const char* name;
    std::vector<std::uint32_t> values;
    std::vector<long> storedWidths;  // each case's differ from the one before
};

std::vector<IconCase> iconCases() {
    std::vector<IconCase> cases;
    // 2100 x 2100 values are more than the 4 Mi four-byte units of Xvfb's largest request.
    IconCase tooLarge{"an image beyond the largest request", {}, {16}};
    appendImage(tooLarge.values, 16, 16, 16 * 16);
    appendImage(tooLarge.values, 2100, 2100, 2100 * 2100);
    cases.push_back(tooLarge);
    IconCase fits{"all images fit", {}, {16, 32}};
    appendImage(fits.values, 16, 16, 16 * 16);
    appendImage(fits.values, 32, 32, 32 * 32);
    cases.push_back(fits);
    IconCase cut{"a list cut short in its second image", {}, {16}};
    appendImage(cut.values, 16, 16, 16 * 16);
    appendImage(cut.values, 32, 32, 100);
    cases.push_back(cut);
    return cases;
}

}  // namespace

TEST(WindowIdentity, StoresTheIconImagesThatFitOneRequest) {
    GlContext context(32, 32);
    for (const IconCase& iconCase : iconCases()) {
        SCOPED_TRACE(iconCase.name);
        ASSERT_TRUE(setWindowIdentity({iconCase.values.data(), iconCase.values.size()}));
        EXPECT_EQ(storedWidths(), iconCase.storedWidths);
    }
}
