// The installed program: staged with DESTDIR under /usr and started through
// its launcher from folders that have nothing to do with it.
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/OptionTable.h"
#include "support/InitializedProgram.h"
#include "support/Scratch.h"

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

fs::path freshFolder(const std::string& name) {
    const fs::path folder = scratchPath(name + "/");
    fs::remove_all(folder);
    fs::create_directories(folder);
    return fs::canonical(folder);
}

// The build tree installed with --prefix /usr into "<name> root", removed again at the end.
struct StagedInstall {
    explicit StagedInstall(const std::string& name) : root(freshFolder(name + " root")), usr(root / "usr") {
        const std::string command = "DESTDIR=" + quoted(root) + " " + quoted(ZEN_CMAKE_COMMAND) + " --install " +
                                    quoted(ZEN_BUILD_DIR) + " --prefix /usr > " + quoted(root / "install.log") +
                                    " 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << "see " << root / "install.log";
    }
    ~StagedInstall() { fs::remove_all(root); }
    StagedInstall(const StagedInstall&) = delete;
    StagedInstall& operator=(const StagedInstall&) = delete;

    fs::path root;
    fs::path usr;
};

struct Outcome {
    std::string out, err, status;
};

// Runs a command line in `folder` without an X server, capturing both streams and the status.
Outcome runIn(const fs::path& folder, const std::string& commandLine) {
    const fs::path out = folder / "launcher.out", err = folder / "launcher.err";
    const std::string status = runCommand("cd " + quoted(folder) + " && env -u DISPLAY " + commandLine + " > " +
                                          quoted(out) + " 2> " + quoted(err) + "; printf %s $?");
    return {runCommand("cat " + quoted(out)), runCommand("cat " + quoted(err)), status};
}

}  // namespace

TEST(Install, StartsFromAnUnrelatedFolderAndEndsOnEscape) {
    const StagedInstall staged("start");
    const fs::path elsewhere = freshFolder("an unrelated folder");
    InitializedProgram run(elsewhere.string(), (staged.usr / "bin/zendrils").string());
    ASSERT_TRUE(run.ready) << run.standardError();
    EXPECT_EQ(run.standardError(), "");
    run.quit();
    EXPECT_NE(run.standardOutput().find("[INFO] Application cleaned up successfully."), std::string::npos);
}

// Without a display the program fails in freeglut, which names the display it
// was given: proof that the launcher found the program and passed the argument on.
TEST(Install, LauncherFollowsSymlinksAndPassesArgumentsOn) {
    const StagedInstall staged("links");
    const fs::path& usr = staged.usr;
    const fs::path links = freshFolder("links elsewhere");
    fs::create_symlink(fs::relative(usr / "bin/zendrils", links), links / "relative link");
    fs::create_symlink(links / "relative link", links / "link to a link");
    for (const fs::path& launcher : {usr / "bin/zendrils", links / "relative link", links / "link to a link"}) {
        SCOPED_TRACE(launcher.string());
        const Outcome outcome = runIn(links, quoted(launcher) + " -display 'no such display'");
        EXPECT_EQ(outcome.out, "[INFO] Initializing GLUT ...\n");
        EXPECT_NE(outcome.err.find("failed to open display 'no such display'"), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.status, "1");
    }
}

TEST(Install, LauncherReportsMissingDataInOneLine) {
    const StagedInstall staged("no data");
    const fs::path& usr = staged.usr;
    fs::remove_all(usr / "share/zendrils");
    const Outcome outcome = runIn(usr / "bin", quoted(usr / "bin/zendrils"));
    EXPECT_EQ(outcome.err, "zendrils: installed data not found in " + (usr / "share/zendrils/resources").string() + "\n");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.status, "1");
}

// What desktops and software centres read: the entry, which names the window's
// class, and the AppStream metadata, both valid by the freedesktop.org tools.
TEST(Install, DesktopEntryAndAppStreamMetadataAreValid) {
    const StagedInstall staged("desktop");
    const fs::path entry = staged.usr / "share/applications/zendrils.desktop";
    EXPECT_EQ(runCommand("desktop-file-validate " + quoted(entry) + " 2>&1; printf %s $?"), "0");
    const std::string text = readFile(entry.string());
    for (const char* line : {"\nExec=zendrils\n", "\nIcon=zendrils\n", "\nStartupWMClass=zendrils\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    // The metadata with the entry and icons it names, as installed; no screenshot fetched.
    ASSERT_TRUE(fs::exists(staged.usr / "share/metainfo/org.example.zendrils.metainfo.xml"));
    const std::string validation = runCommand("appstreamcli validate-tree --no-net --pedantic " + quoted(staged.root) +
                                              " 2>&1; printf %s $?");
    EXPECT_EQ(validation.substr(validation.size() - 2), "\n0") << validation;
    EXPECT_NE(validation.find("Validation was successful."), std::string::npos) << validation;
    for (const char* note : {"E: ", "W: ", "I: ", "P: "}) EXPECT_EQ(validation.find(note), std::string::npos) << validation;
}

TEST(Install, IconsAtEverySizeOfTheThemeArePlanetsOnATransparentGround) {
    const StagedInstall staged("icons");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        const std::string icon = (staged.usr / ("share/icons/hicolor/" + side + "x" + side + "/apps/zendrils.png")).string();
        SCOPED_TRACE(icon);
        EXPECT_EQ(imageFigure(icon, "", "w*1000+h"), size * 1000 + size);
        EXPECT_EQ(imageFigure(icon, "", "p{0,0}.a"), 0) << "transparent corner";
        EXPECT_EQ(imageFigure(icon, "", "p{" + std::to_string(size / 2) + "," + std::to_string(size / 2) + "}.a"), 1)
            << "opaque planet";
    }
}

// The command line of the installed program: answered without a display, with
// relative output paths taken from the caller's folder, and its manual page.
TEST(Install, VersionRelativeOutputPathsAndTheManualPage) {
    const StagedInstall staged("command line");
    const fs::path elsewhere = freshFolder("a calling folder");
    const std::string launcher = quoted(staged.usr / "bin/zendrils");
    const Outcome version = runIn(elsewhere, launcher + " --version");
    EXPECT_EQ(version.out, "zendrils 1.0.0\n");
    EXPECT_EQ(version.status, "0");
    const Outcome refused = runIn(elsewhere, launcher + " --capture no-such-folder");
    EXPECT_EQ(refused.err.rfind("zendrils: --capture '", 0), 0u) << refused.err;
    EXPECT_NE(refused.err.find("/a calling folder/no-such-folder': no such folder\n"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.status, "2");

    const fs::path page = staged.usr / "share/man/man6/zendrils.6.gz";
    EXPECT_EQ(runCommand("gzip -l " + quoted(page) + " >/dev/null 2>&1; printf %s $?"), "0");
    const std::string shown = runCommand("MANWIDTH=80 man -M " + quoted(staged.usr / "share/man") + " zendrils 2>&1");
    for (const char* part : {"zendrils - real-time 3D demo", "\nOPTIONS\n", "\nKEYS\n", "\nBENCHMARK\n",
                             "\nEXIT STATUS\n", "\nENVIRONMENT\n", "\nFILES\n", "\nSEE ALSO\n",
                             "/usr/share/zendrils/resources/"})
        EXPECT_NE(shown.find(part), std::string::npos) << part << "\n" << shown;
    EXPECT_EQ(shown.find("build"), std::string::npos) << "a build tree named\n" << shown;
    // Every option of --help, the toolkit's too, as an item of OPTIONS: its name, maybe its value, then its text.
    const std::string help = runIn(elsewhere, launcher + " --help").out;
    const std::size_t optionsAt = shown.find("\nOPTIONS\n");
    const std::string items = shown.substr(optionsAt, shown.find("\nKEYS\n") - optionsAt);
    const std::regex listed("\n {2}(?:-h, | {4})?(--?[a-z-]+)");
    int options = 0;
    for (std::sregex_iterator it(help.begin(), help.end(), listed), end; it != end; ++it, ++options) {
        const std::regex item("\n {7}(-h, )?" + (*it)[1].str() + "(\\s+[A-Z][a-z]| \\S+\n {14}\\S)");
        EXPECT_TRUE(std::regex_search(items, item)) << (*it)[1] << "\n" << items;
    }
    EXPECT_EQ(options, static_cast<int>(kOptionCount + kToolkitOptionCount));
}
