// Test entry: points DISPLAY at the suite's private Xvfb before any test runs.
#include <cstdlib>
#include <fstream>
#include <string>

#include <sys/stat.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    std::ifstream displayFile(ZEN_XVFB_DISPLAY_FILE);
    std::string display;
    if (displayFile >> display) setenv("DISPLAY", display.c_str(), 1);
    mkdir(ZEN_TEST_TMP_DIR, 0755);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
