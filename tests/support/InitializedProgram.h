#pragma once

#include <string>
#include <vector>

#include "support/ProgramRun.h"

// The end-to-end fixture: the program started (by default the staged one, from
// bin/), and ready once "[INFO] Application initialized." is out and its window
// is found. At the end of the scope Escape must end a program still running
// with status 0.
//
//     InitializedProgram run;
//     ASSERT_TRUE(run.ready) << run.standardError();
class InitializedProgram : public ProgramRun {
public:
    explicit InitializedProgram(const std::string& workingDirectory = ZEN_BIN_DIR,
                                const std::string& program = std::string(ZEN_BIN_DIR) + "/zendrils",
                                const std::vector<std::string>& arguments = {});
    ~InitializedProgram();

    bool ready = false;

    // Presses Escape and expects the program to end with status 0.
    void quit();
};
