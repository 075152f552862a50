#pragma once

#include <string>

// Why writeOutputFile (platform/os/OutputFile.h) would fail to write `path`, in
// its own words, as far as that can be known before there is anything to write:
// a folder ("Is a directory"), FIFO, device or socket ("Not a regular file") at
// the name, a name too long, or a folder where no file can be created, the
// system's reason ("Permission denied", "No such file or directory", ...). It
// creates and removes an empty hidden file beside `path` to find out, ending
// signals held meanwhile. "" when the write may go ahead.
std::string outputPathProblem(const std::string& path);
