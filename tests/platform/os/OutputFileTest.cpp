// Output files in real folders, against what may stand at their names or limit the write.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>

#include <gtest/gtest.h>

#include "platform/os/OutputFile.h"
#include "support/ProgramRun.h"
#include "support/Scratch.h"

namespace {

struct Standing {
    const char* command;  // run in a fresh folder that holds the file "other"
    const char* name;     // the file written there
    const char* problem;  // "" when it is written
};

// Writes 8 KiB as a user whom a folder of mode 0555 keeps out (nobody, when the
// suite runs as root), or else under a file size limit of 4 KiB; prints the
// problem and exits with status 1.
void writeLimited(const std::string& path, bool readOnlyFolder) {
    const rlimit fourKiB{4096, 4096};
    if (readOnlyFolder ? geteuid() == 0 && setuid(65534) != 0 : setrlimit(RLIMIT_FSIZE, &fourKiB) != 0) std::exit(2);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    const std::string bytes(8192, 'x');
    std::string problem;
    writeOutputFile(path, bytes.data(), bytes.size(), problem);
    std::cerr << problem;
    std::exit(1);
}

}  // namespace

// "out.part" was the temporary name: what stands there is never opened.
TEST(OutputFile, ReplacesWhatStandsAtItsNameFollowsNoLinkAndLeavesNoTemporaryFile) {
    const Standing rows[] = {
        {"true", "out", ""},           {"ln -s other out", "out", ""},      {"ln other out", "out", ""},
        {"mkfifo out", "out", ""},     {"ln -s other out.part", "out", ""}, {"mkfifo out.part", "out", ""},
        {"mkdir out", "out", "Is a directory"}, {"true", "gone/out", "No such file or directory"},
    };
    const mode_t umaskBits = umask(0);
    umask(umaskBits);
    for (const Standing& row : rows) {
        const std::string folder = freshScratchFolder("folder");
        runCommand("cd '" + folder + "' && echo old >other && " + row.command);
        std::set<std::string> expected = namesIn(folder);
        if (!*row.problem) expected.insert(row.name);
        std::string problem;
        EXPECT_EQ(writeOutputFile(folder + row.name, "new", 3, problem), !*row.problem) << row.command;
        EXPECT_EQ(problem, row.problem) << row.command;
        EXPECT_EQ(namesIn(folder), expected) << row.command;
        EXPECT_EQ(readFile(folder + "other"), "old\n") << row.command;
        struct stat status {};
        if (*row.problem || lstat((folder + row.name).c_str(), &status) != 0) continue;
        EXPECT_EQ(readFile(folder + row.name), "new") << row.command;
        EXPECT_EQ(status.st_mode, S_IFREG | (0666 & ~umaskBits)) << row.command;
    }
}

TEST(OutputFile, AFolderItMayNotWriteOrAFileSizeLimitFailsWithTheReasonAndLeavesNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (bool readOnlyFolder : {true, false}) {
        const std::string folder = freshScratchFolder("limited");
        chmod(folder.c_str(), readOnlyFolder ? 0555 : 0755);
        EXPECT_EXIT(writeLimited(folder + "out", readOnlyFolder), testing::ExitedWithCode(1),
                    readOnlyFolder ? "^Permission denied$" : "^File too large$");
        EXPECT_TRUE(namesIn(folder).empty());
    }
}

// Tried again when the write ends before the signal comes.
TEST(OutputFile, TerminationMidWriteRemovesTheTemporaryFileAndStillEndsTheProcess) {
    const std::string folder = freshScratchFolder("terminated");
    const std::string bytes(std::size_t(256) << 20, 'x');
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::string problem;
        const pid_t child = fork();
        if (child == 0) _exit(writeOutputFile(folder + "out", bytes.data(), bytes.size(), problem) ? 0 : 1);
        int status = 0;
        while (namesIn(folder).empty() && waitpid(child, &status, WNOHANG) == 0) pause(0.001);
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
        if (std::filesystem::remove(folder + "out")) continue;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_TRUE(namesIn(folder).empty());
        return;
    }
    FAIL() << "every write ended before the signal came";
}
