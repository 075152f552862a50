#pragma once

#include <string>

// Memory exhaustion ends the process with one line, "[ERROR] Out of memory
// while loading <what>" (or "[ERROR] Out of memory" when nothing is being
// loaded), and status 1, in place of an abort by an uncaught std::bad_alloc.

// From now on, a failed operator new ends the process so: the program's own
// allocations and the libraries' that share operator new (assimp's).
void endOnFailedAllocation();
// What is being loaded from now on, for that line: a resource file's path,
// kept as a console line shows it; "" when nothing is.
void noteLoading(const std::string& what);
// Ends the process so; for a library that reports exhaustion in its own way.
[[noreturn]] void endOutOfMemory();
