#pragma once

#include <string>

// Counts the frames a window shows, from the X server's reports of the updates
// to it (the DAMAGE extension), so that a test waits for what the program drew
// rather than for a time.
class FrameWatch {
public:
    // Watches the window with the given X id on the X server `displayName`.
    FrameWatch(const std::string& displayName, const std::string& windowId);
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    // Waits until the window has shown `frames` frames after this call; false on
    // timeout, or when the window cannot be watched.
    bool waitForFrames(int frames, double timeoutSeconds);

private:
    struct _XDisplay* display = nullptr;
    unsigned long damage = 0;
    int damageNotify = -1;

    void forgetEarlierFrames();
    // The updates reported within `seconds`; each is at least one new frame.
    int updatesWithin(double seconds);
};
