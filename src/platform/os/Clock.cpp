#include "platform/os/Clock.h"

#include <ctime>

namespace {

std::int64_t monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Read during static initialisation, so ticks count from process start.
const std::int64_t processStartNanoseconds = monotonicNanoseconds();

}  // namespace

std::uint32_t tickCountMilliseconds() {
    const std::int64_t elapsed = monotonicNanoseconds() - processStartNanoseconds;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(elapsed / 1000000));
}

float tickSecondsBetween(std::uint32_t earlier, std::uint32_t later) {
    const std::uint32_t difference = later - earlier;  // modulo 2^32
    return static_cast<float>(static_cast<double>(difference) / 1000.0);
}

std::int64_t fallbackClockMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000LL + now.tv_nsec / 1000000;
}

bool queryPerformanceCounter(std::int64_t& ticks) {
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0) return false;
    ticks = static_cast<std::int64_t>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    return true;
}

bool queryPerformanceFrequency(std::int64_t& ticksPerSecond) {
    timespec resolution{};
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) return false;
    ticksPerSecond = 1000000000LL;
    return true;
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
