#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

struct CapturedOutput {
    std::string out, err;
};

// What `run` writes to standard output and standard error.
inline CapturedOutput captured(const std::function<void()>& run) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run();
    CapturedOutput output;
    output.out = testing::internal::GetCapturedStdout();
    output.err = testing::internal::GetCapturedStderr();
    return output;
}
