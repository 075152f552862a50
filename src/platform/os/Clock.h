#pragma once

#include <cstdint>

// Milliseconds since the process started, wrapping at 2^32.
std::uint32_t tickCountMilliseconds();
// Seconds between two tick counts, correct across one wrap of the counter.
float tickSecondsBetween(std::uint32_t earlier, std::uint32_t later);

// Wall-clock milliseconds: the counter's stand-in where it is unavailable.
std::int64_t fallbackClockMilliseconds();

// The high-resolution counter and its frequency; false when unavailable.
bool queryPerformanceCounter(std::int64_t& ticks);
bool queryPerformanceFrequency(std::int64_t& ticksPerSecond);

// Processor time the calling thread has used, in seconds.
double threadCpuSeconds();
