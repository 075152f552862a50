#pragma once

#include <cstddef>
#include <cstdint>

// Icon images in the layout of _NET_WM_ICON: for each image its width and
// height, then width * height pixels as 0xAARRGGBB, row by row from the top.
// Smaller images first, so that the ones left out when not all fit are the largest.
struct IconImages {
    const std::uint32_t* values = nullptr;
    std::size_t count = 0;
};

// The program's icon at every size the asset generator draws, written by the
// generator at build time and linked into the program.
extern const IconImages kProgramIcon;

// Names the window of the GL context current on this thread for the desktop:
// WM_CLASS "zendrils" (instance and class) and `icon` as _NET_WM_ICON, as many
// images as fit in one request to the X server. The toolkit has already shown
// the window; it is not withdrawn and shown again for window managers that read
// the class only when they take a window on, as that loses the window to a
// manager starting at the same moment. Writes nothing to the console; false
// when no GL window is current.
bool setWindowIdentity(const IconImages& icon);
