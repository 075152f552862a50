#pragma once

#include <string>

// A path in the running test's own scratch folder, with its parent folders made.
// Every test runs as a process of its own, side by side with others, so a folder
// per test keeps equal names in two tests apart, while a death test's child,
// which runs the same test again, finds the same files.
std::string scratchPath(const std::string& name);
