// Output files in real folders, against what may stand at their names or limit the write.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/os/OutputFile.h"
#include "support/ProgramRun.h"
#include "support/Scratch.h"

// Each command runs in a fresh folder holding the file "other". A link or a
// file at the name is replaced; "out.part" was the temporary name, and what
// stands there is never opened. No one may create a file in /sys.
TEST(OutputFile, ReplacesOnlyAFileOrALinkAtItsNameAndLeavesNoTemporaryFile) {
    const struct { const char *command, *name, *problem; } rows[] = {
        {"true", "out", ""}, {"ln -s other out", "out", ""}, {"ln other out", "out", ""},
        {"ln -s other out.part", "out", ""}, {"mkfifo out.part", "out", ""},
        {"mkfifo out", "out", "Not a regular file"}, {"mkdir out", "out", "Is a directory"},
        {"true", "gone/out", "No such file or directory"}, {"true", "/sys/out", "Permission denied"},
    };
    const mode_t umaskBits = umask(0);
    umask(umaskBits);
    for (const auto& row : rows) {
        const std::string folder = freshScratchFolder("folder");
        runCommand("cd '" + folder + "' && echo old >other && " + row.command);
        std::set<std::string> expected = namesIn(folder);
        if (!*row.problem) expected.insert(row.name);
        const std::string path = row.name[0] == '/' ? row.name : folder + row.name;
        std::string problem;
        EXPECT_EQ(writeOutputFile(path, "new", 3, problem), !*row.problem) << row.command;
        EXPECT_EQ(problem, row.problem) << row.command;
        EXPECT_EQ(namesIn(folder), expected) << row.command;
        EXPECT_EQ(readFile(folder + "other"), "old\n") << row.command;
        struct stat status {};
        if (*row.problem || lstat((folder + row.name).c_str(), &status) != 0) continue;
        EXPECT_EQ(readFile(folder + row.name), "new") << row.command;
        EXPECT_EQ(status.st_mode, S_IFREG | (0666 & ~umaskBits)) << row.command;
    }
}

// A file size limit of 4 KiB stops the 8 KiB file half-way, as a full disk would;
// the writer ignores SIGXFSZ meanwhile, so the write fails instead of the process.
TEST(OutputFile, AWriteThatFailsHalfWayGivesTheReasonAndLeavesNothing) {
    const std::string folder = freshScratchFolder("limited"), bytes(8192, 'x');
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit fourKiB{4096, limit.rlim_max};
    std::string problem;
    setrlimit(RLIMIT_FSIZE, &fourKiB);
    EXPECT_FALSE(writeOutputFile(folder + "out", bytes.data(), bytes.size(), problem));
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(problem, "File too large");
    EXPECT_TRUE(namesIn(folder).empty());
    EXPECT_EQ(std::signal(SIGXFSZ, SIG_DFL), SIG_DFL) << "the disposition given back";
}

// Each signal that ends a process by default, as a terminal or a user sends it;
// tried again when the write ends before the signal comes. No core file is left.
TEST(OutputFile, TerminationMidWriteRemovesTheTemporaryFileAndStillEndsTheProcess) {
    const std::string folder = freshScratchFolder("terminated"), bytes(std::size_t(256) << 20, 'x');
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(strsignal(signal));
        int attempt = 0;
        for (; attempt < 5; ++attempt) {
            std::string problem;
            const pid_t child = fork();
            if (child == 0) {
                const rlimit noCore{0, 0};
                setrlimit(RLIMIT_CORE, &noCore);
                _exit(writeOutputFile(folder + "out", bytes.data(), bytes.size(), problem) ? 0 : 1);
            }
            int status = 0;
            while (namesIn(folder).empty() && waitpid(child, &status, WNOHANG) == 0) pause(0.001);
            kill(child, signal);
            waitpid(child, &status, 0);
            if (std::filesystem::remove(folder + "out")) continue;
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            EXPECT_TRUE(namesIn(folder).empty());
            break;
        }
        EXPECT_LT(attempt, 5) << "every write ended before the signal came";
    }
}

// With SIGINT ignored by whoever started the process, interrupts all through the write change nothing.
TEST(OutputFile, InterruptsIgnoredByTheCallerLetTheWholeFileBeWritten) {
    const std::string folder = freshScratchFolder("ignored"), bytes(std::size_t(256) << 20, 'x');
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGINT, SIG_IGN);
        std::string problem;
        _exit(writeOutputFile(folder + "out", bytes.data(), bytes.size(), problem) ? 0 : 1);
    }
    int status = 0;
    for (pause(0.001); waitpid(child, &status, WNOHANG) == 0; pause(0.001))
        if (!namesIn(folder).empty()) kill(child, SIGINT);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(std::filesystem::file_size(folder + "out"), bytes.size());
}

// Another writer's temporary file at the first name drawn is never opened: another name is drawn.
TEST(OutputFile, ATemporaryNameAlreadyTakenIsPassedOver) {
    const std::string folder = freshScratchFolder("taken");
    writeFile(folder + ".out.taken.part", "another writer's");
    const auto drawnAtRandom = temporaryNameSymbols;
    static int draws = 0;
    temporaryNameSymbols = [] { return std::string(++draws == 1 ? "taken" : "free"); };
    std::string problem;
    EXPECT_TRUE(writeOutputFile(folder + "out", "new", 3, problem)) << problem;
    temporaryNameSymbols = drawnAtRandom;
    EXPECT_EQ(readFile(folder + ".out.taken.part"), "another writer's");
    EXPECT_EQ(readFile(folder + "out"), "new");
}
