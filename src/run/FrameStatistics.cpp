#include "run/FrameStatistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

FrameStatistics frameStatistics(std::vector<double> seconds) {
    FrameStatistics figures;
    figures.frames = static_cast<long>(seconds.size());
    if (seconds.empty()) return figures;
    std::sort(seconds.begin(), seconds.end());
    const double total = std::accumulate(seconds.begin(), seconds.end(), 0.0);
    const std::size_t n = seconds.size();
    figures.framesPerSecond = total > 0.0 ? static_cast<double>(n) / total : 0.0;
    figures.medianMilliseconds = 1000.0 * (n % 2 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2.0);
    figures.p95Milliseconds = 1000.0 * seconds[static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1];
    figures.maxMilliseconds = 1000.0 * seconds.back();
    return figures;
}
