#include "run/OffScreenTarget.h"

#include <string>
#include <vector>

#include <GL/glew.h>

namespace {

struct Framebuffer {
    GLuint name = 0;
    GLuint colour = 0;
    GLuint depthStencil = 0;
};

struct OffScreenTarget {
    Framebuffer drawn;
    Framebuffer resolved;  // only with samples
    int width = 0;
    int height = 0;
    bool multisampled = false;
    bool topRowFirst = false;
};

OffScreenTarget target;

GLuint renderbuffer(GLenum format, int samples, int width, int height) {
    GLuint name = 0;
    glGenRenderbuffers(1, &name);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    return name;
}

bool makeFramebuffer(Framebuffer& framebuffer, int samples, int width, int height, bool withDepth) {
    glGenFramebuffers(1, &framebuffer.name);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.name);
    framebuffer.colour = renderbuffer(GL_RGBA8, samples, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, framebuffer.colour);
    if (withDepth) {
        framebuffer.depthStencil = renderbuffer(GL_DEPTH24_STENCIL8, samples, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                  framebuffer.depthStencil);
    }
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

// The sample counts the driver offers for the target's colour, as a window's
// are listed: "2, 4, 8"; "" when the driver cannot say.
std::string offeredSamples() {
    if (!GLEW_ARB_internalformat_query) return "";
    GLint count = 0;
    glGetInternalformativ(GL_RENDERBUFFER, GL_RGBA8, GL_NUM_SAMPLE_COUNTS, 1, &count);
    std::vector<GLint> counts(static_cast<std::size_t>(count > 0 ? count : 0));
    if (count > 0) glGetInternalformativ(GL_RENDERBUFFER, GL_RGBA8, GL_SAMPLES, count, counts.data());
    std::string list;
    for (auto k = counts.rbegin(); k != counts.rend(); ++k)  // the driver lists them most first
        list += (list.empty() ? "" : ", ") + std::to_string(*k);
    return list;
}

bool offers(const std::string& list, int samples) {
    return (", " + list + ",").find(", " + std::to_string(samples) + ",") != std::string::npos;
}

}  // namespace

bool createOffScreenTarget(int width, int height, int samples, std::string& problem) {
    if (!GLEW_ARB_framebuffer_object) {
        problem = "--off-screen: the driver offers no framebuffer objects (GL_ARB_framebuffer_object)";
        return false;
    }
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    if (samples > most) {
        problem = "--samples " + std::to_string(samples) + ": the driver draws off screen with at most " +
                  std::to_string(most) + " samples a pixel";
        return false;
    }
    // A count the driver would round up is refused, as a window's is.
    const std::string offered = samples > 1 ? offeredSamples() : "";
    if (!offered.empty() && !offers(offered, samples)) {
        problem = "--samples " + std::to_string(samples) + ": the driver draws off screen with " + offered +
                  " samples a pixel";
        return false;
    }
    target.width = width;
    target.height = height;
    target.multisampled = samples > 1;
    const bool complete = (!target.multisampled || makeFramebuffer(target.resolved, 0, width, height, false)) &&
                          makeFramebuffer(target.drawn, target.multisampled ? samples : 0, width, height, true);
    if (!complete || glGetError() == GL_OUT_OF_MEMORY) {
        problem = "--off-screen: the driver cannot make a framebuffer of " + std::to_string(width) + "x" +
                  std::to_string(height) + " pixels";
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    // A window's buffers keep their top row first, and the driver rasterises
    // into them upside down; drawn the same way, the target gets the same pixels.
    target.topRowFirst = GLEW_ARB_clip_control;
    if (target.topRowFirst) glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
    return true;
}

bool hasOffScreenTarget() { return target.drawn.name != 0; }

bool offScreenTopRowFirst() { return target.topRowFirst; }

void bindOffScreenTargetForReading() {
    if (!target.multisampled) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawn.name);
    } else {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawn.name);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolved.name);
        glBlitFramebuffer(0, 0, target.width, target.height, 0, 0, target.width, target.height,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.drawn.name);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.resolved.name);
    }
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}
