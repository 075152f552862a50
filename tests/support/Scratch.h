#pragma once

#include <set>
#include <string>

// A path in the running test's own scratch folder, with its parent folders made.
// Every test runs as a process of its own, side by side with others, so a folder
// per test keeps equal names in two tests apart, while a death test's child,
// which runs the same test again, finds the same files.
std::string scratchPath(const std::string& name);

// scratchPath(name) as a new empty folder, with a slash at the end.
std::string freshScratchFolder(const std::string& name);
// The names in `folder`, hidden ones too.
std::set<std::string> namesIn(const std::string& folder);

// Writes `bytes` to scratchPath(name) and returns that path.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

// Writes `bytes` to `path`, replacing the file; returns the path.
std::string writeFile(const std::string& path, const std::string& bytes);
// The whole file as bytes ("" when it cannot be read).
std::string readFile(const std::string& path);
