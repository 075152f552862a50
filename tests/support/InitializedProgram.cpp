#include "support/InitializedProgram.h"

#include <gtest/gtest.h>

InitializedProgram::InitializedProgram(const std::string& workingDirectory, const std::string& program,
                                       const std::vector<std::string>& arguments)
    : ProgramRun(workingDirectory, program, arguments) {
    ready = waitForOutput("[INFO] Application initialized.\n\n", 60.0) && !findWindow().empty();
}

InitializedProgram::~InitializedProgram() {
    if (ready && !hasExited()) quit();
}

void InitializedProgram::quit() {
    key("Escape");
    EXPECT_EQ(waitForExit(30.0), 0) << standardError();
}
