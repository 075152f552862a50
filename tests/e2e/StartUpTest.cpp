// Start-up transcript and shutdown of the real program.
#include <csignal>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/InitializedProgram.h"

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) result.push_back(line);
    return result;
}

// "[INFO] <count>edges added for model.(Invalid: 0)" with a count of one digit or more.
bool isEdgeCountLine(const std::string& line) {
    return std::regex_match(line, std::regex(R"(\[INFO\] [0-9]+edges added for model\.\(Invalid: 0\))"));
}

const char* const kEdgeCount = "~edge count";

// Every line of a complete start-up; kEdgeCount stands for an edge-count line.
const std::vector<std::string> kTranscript = {
    "[INFO] Initializing GLUT ...",
    "[INFO] GLUT initialized.",
    "",
    "[INFO] Initializing GLEW ...",
    "[INFO] GLEW initialized.",
    "",
    "[INFO] Initializing DEVIL ...",
    "[INFO] DevIL initialized.",
    "",
    "[INFO] Loading planet texture...[OK]",
    "[INFO] Loading planet normal map...[OK]",
    "[INFO] Loading planet 3D model...",
    "[OK]",
    "[INFO] Loading podium texture...[OK]",
    "[INFO] Loading podium normal map...[OK]",
    "[INFO] Loading podium 3D model...",
    "[OK]",
    "[INFO] Computing Edges for Model SpaceShip",
    kEdgeCount,
    "[INFO] Computing Edges for Model Podium",
    kEdgeCount,
    "[INFO] Creating asteroids...",
    "[OK]",
    "[INFO] USING SHADERS:",
    "[INFO] Loading bump map shader...[OK]",
    "[INFO] USING Shadows:",
    "[INFO] Setting shadows for asteroids...",
    "[INFO] Computing Edges for Model Asteroid",
    kEdgeCount,
    "[OK]",
    "[INFO] Initializing SPLINE...[OK]",
    "",
    "[INFO] Application initialized.",
    "",
};

void expectTranscript(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    ASSERT_GE(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == kEdgeCount)
            EXPECT_TRUE(isEdgeCountLine(actual[i])) << "line " << i << ": " << actual[i];
        else
            EXPECT_EQ(actual[i], expected[i]) << "line " << i;
    }
}

}  // namespace

TEST(StartUp, WritesTheCompleteTranscriptAndEndsCleanlyOnEscape) {
    InitializedProgram run;
    ASSERT_TRUE(run.ready) << run.standardError();
    expectTranscript(lines(run.standardOutput()), kTranscript);
    EXPECT_EQ(run.standardError(), "");

    run.quit();
    std::vector<std::string> expected = kTranscript;
    expected.push_back("[INFO] Cleaning up application...");
    expected.push_back("[INFO] Application cleaned up successfully.");
    expected.push_back("");
    const std::vector<std::string> actual = lines(run.standardOutput());
    EXPECT_EQ(actual.size(), expected.size());
    expectTranscript(actual, expected);
}

TEST(StartUp, MissingTexturesAreReportedAndStartUpGoesOn) {
    const std::string bin = stagedCopy("no-textures");
    runCommand("find '" + bin + "/../resources' -name '*.tga' -delete");
    InitializedProgram run(bin);
    ASSERT_TRUE(run.ready) << run.standardError();
    const std::string out = run.standardOutput();
    EXPECT_NE(out.find("[INFO] Loading planet texture...[OK]"), std::string::npos);
    const std::string err = run.standardError();
    for (const char* text : {"[ERROR] Could not load EMBM normal tex:", "[ERROR] Could not load planet decal tex:",
                             "[ERROR] Could not load planet normal tex:", "[ERROR] Could not load pillar decal tex:",
                             "[ERROR] Could not load pillar normal tex:"})
        EXPECT_NE(err.find(text), std::string::npos) << text << "\n" << err;
    pause(1.0);
    EXPECT_FALSE(run.hasExited()) << err;
}

// Mesa leaves ARB_separate_shader_objects out of its list on request while it
// still reports OpenGL 4.5; GLEW then loads none of the extension's functions.
// --info says so before the shaders fail.
TEST(StartUp, ADriverWithoutSeparableProgramsEndsWithTheShaderLayersMessage) {
    for (const bool info : {false, true}) {
        std::vector<std::string> command = {"MESA_EXTENSION_OVERRIDE=-GL_ARB_separate_shader_objects",
                                            std::string(ZEN_BIN_DIR) + "/zendrils"};
        if (info) command.push_back("--info");
        ProgramRun run(ZEN_BIN_DIR, "/usr/bin/env", command);
        EXPECT_EQ(run.waitForExit(), 1);  // not 139, a call through a null pointer
        EXPECT_NE(run.standardError().find("Error: Cg can't get vertex profile\n"), std::string::npos)
            << run.standardError();
        const std::string out = run.standardOutput();
        EXPECT_NE(out.find("[INFO] DevIL initialized.\n\n"), std::string::npos);
        EXPECT_EQ(out.find("[INFO] GL_ARB_separate_shader_objects (shaders): no\n") != std::string::npos, info)
            << out;
    }
}

// Without a display the same start-up names EGL where the window names the toolkit.
TEST(StartUp, AHeadlessRunNamesEglForTheToolkit) {
    ProgramRun run(ZEN_BIN_DIR, "/usr/bin/env",
                   {"-u", "DISPLAY", ZEN_BIN_DIR "/zendrils", "--off-screen", "--frames", "1"});
    ASSERT_EQ(run.waitForExit(), 0) << run.standardError();
    std::vector<std::string> expected = kTranscript;
    expected[0] = "[INFO] Initializing EGL ...";
    expected[1] = "[INFO] EGL initialized.";
    expected.insert(expected.end(),
                    {"[INFO] Cleaning up application...", "[INFO] Application cleaned up successfully.", ""});
    const std::vector<std::string> actual = lines(run.standardOutput());
    EXPECT_EQ(actual.size(), expected.size());
    expectTranscript(actual, expected);
    EXPECT_EQ(run.standardError(), "");
}

// A run that writes no file installs no handler: an interrupt or a termination ends the program by that signal.
TEST(StartUp, InterruptAndTerminationEndTheProgramByTheSignal) {
    for (int signal : {SIGINT, SIGTERM}) {
        ProgramRun run;
        ASSERT_TRUE(run.waitForOutput("[INFO] Application initialized.")) << run.standardError();
        ::kill(run.pid, signal);
        EXPECT_EQ(run.waitForExit(), 128 + signal) << strsignal(signal);
    }
}
