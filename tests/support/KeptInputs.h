#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The inputs a fuzzer once tripped on, kept in tests/<folder>/fuzz-regressions/, in name order.
std::vector<std::filesystem::path> keptInputs(const std::string& folder);
