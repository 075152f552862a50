#include "run/PassTimer.h"

#include <deque>
#include <vector>

#include <GL/glew.h>

#include "run/FrameStatistics.h"

namespace {

// Frames whose queries may wait for their results; the next frame waits for
// the oldest one only when all are still waiting.
constexpr int kFramesInFlight = 4;
// A query a pass, the lit pass twice around the reflective fighter.
constexpr int kMostQueriesAFrame = kFramePassCount + 1;

struct FrameQueries {
    GLuint names[kMostQueriesAFrame] = {};
    FramePass passes[kMostQueriesAFrame] = {};
    int count = 0;
};

struct PassTimer {
    bool on = false;
    FrameQueries frames[kFramesInFlight];
    int next = 0;             // the slot the next frame takes
    FrameQueries* marking = nullptr;
    std::deque<FrameQueries*> waiting;  // oldest first
    std::array<std::vector<double>, kFramePassCount> seconds;  // each pass's time in every frame read back
    std::array<bool, kFramePassCount> missing = {};
};

PassTimer timer;

bool available(GLuint query) {
    GLuint ready = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT_AVAILABLE, &ready);
    return ready != 0;
}

// Queries finish in order: the last one in stands for all.
bool resultsIn(const FrameQueries& frame) { return frame.count == 0 || available(frame.names[frame.count - 1]); }

// Reads a frame's results into the scene's figures. A result that is not
// there once the drawing has finished never comes: its pass is missing.
void readBack(FrameQueries& frame) {
    if (!resultsIn(frame)) glFinish();
    double seconds[kFramePassCount] = {};
    bool drawn[kFramePassCount] = {};
    for (int i = 0; i < frame.count; ++i) {
        const int pass = static_cast<int>(frame.passes[i]);
        drawn[pass] = true;
        GLuint64 nanoseconds = 0;
        if (available(frame.names[i])) glGetQueryObjectui64v(frame.names[i], GL_QUERY_RESULT, &nanoseconds);
        else timer.missing[pass] = true;
        seconds[pass] += static_cast<double>(nanoseconds) * 1e-9;
    }
    for (int pass = 0; pass < kFramePassCount; ++pass)
        if (drawn[pass]) timer.seconds[pass].push_back(seconds[pass]);
    frame.count = 0;
}

void readBackOldest() {
    readBack(*timer.waiting.front());
    timer.waiting.pop_front();
}

// The next slot, once its earlier frame has been read back; frames whose
// results are in are read back on the way, without waiting.
FrameQueries& beginFrame() {
    while (!timer.waiting.empty() && resultsIn(*timer.waiting.front())) readBackOldest();
    FrameQueries& frame = timer.frames[timer.next];
    timer.next = (timer.next + 1) % kFramesInFlight;
    if (!timer.waiting.empty() && timer.waiting.front() == &frame) readBackOldest();
    return frame;
}

}  // namespace

bool startPassTimer() {
    timer = PassTimer();
    if (!glGetQueryObjectui64v || !(GLEW_ARB_timer_query || GLEW_VERSION_3_3)) return false;
    GLint bits = 0;
    glGetQueryiv(GL_TIME_ELAPSED, GL_QUERY_COUNTER_BITS, &bits);
    if (bits <= 0) return false;
    for (FrameQueries& frame : timer.frames) glGenQueries(kMostQueriesAFrame, frame.names);
    timer.on = true;
    return true;
}

void markPass(FramePass pass) {
    if (!timer.on) return;
    if (pass == FramePass::Sky) timer.marking = &beginFrame();
    FrameQueries* frame = timer.marking;
    if (!frame) return;
    if (frame->count > 0) glEndQuery(GL_TIME_ELAPSED);
    if (pass == FramePass::Done || frame->count == kMostQueriesAFrame) {
        timer.waiting.push_back(frame);
        timer.marking = nullptr;
        return;
    }
    frame->passes[frame->count] = pass;
    glBeginQuery(GL_TIME_ELAPSED, frame->names[frame->count++]);
}

PassTimes endPassTimerScene() {
    PassTimes times;
    while (!timer.waiting.empty()) readBackOldest();
    for (int pass = 0; pass < kFramePassCount; ++pass) {
        PassTime& time = times[pass];
        time.missing = timer.missing[pass];
        time.drawn = time.missing || !timer.seconds[pass].empty();
        if (!time.missing && time.drawn)
            time.medianMilliseconds = frameStatistics(timer.seconds[pass]).medianMilliseconds;
        timer.seconds[pass].clear();
        timer.missing[pass] = false;
    }
    return times;
}
