#include "support/Scratch.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// "<suite>.<test>", or the process outside any test.
std::string folderName() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return "process-" + std::to_string(getpid());
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '-');  // parameterised tests
    return name;
}

}  // namespace

std::string scratchPath(const std::string& name) {
    const fs::path path = fs::path(ZEN_TEST_TMP_DIR) / folderName() / name;
    fs::create_directories(path.parent_path());
    return path.string();
}

std::string freshScratchFolder(const std::string& name) {
    const std::string folder = scratchPath(name + "/");
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

std::string writeScratchFile(const std::string& name, const std::string& bytes) {
    return writeFile(scratchPath(name), bytes);
}

std::string writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
