// OpenGL errors reach standard error through the driver's debug output, in an
// ordinary (non-debug) context like the program's.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/GlErrorReport.h"
#include "support/CapturedOutput.h"
#include "support/GlContext.h"

TEST(GlErrorReport, WritesOneLinePerErrorAndNothingElse) {
    GlContext gl{16, 16};
    ASSERT_EQ(glInteger(GL_CONTEXT_FLAGS) & GL_CONTEXT_FLAG_DEBUG_BIT, 0);
    ASSERT_TRUE(reportGlErrors());

    const std::string report = captured([] {
        glEnable(0x1234);                 // invalid enum
        glBindTexture(GL_TEXTURE_2D, 0);  // fine
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();                    // stack underflow
        glClear(GL_COLOR_BUFFER_BIT);     // fine
    }).err;
    glDisable(GL_DEBUG_OUTPUT);
    glDebugMessageCallback(nullptr, nullptr);

    std::istringstream lines(report);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.rfind("[ERROR] OpenGL: ", 0), 0u) << line;
        EXPECT_GT(line.size(), 16u) << line;
        ++count;
    }
    EXPECT_EQ(count, 2) << report;
}
