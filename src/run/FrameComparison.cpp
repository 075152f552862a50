#include "run/FrameComparison.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The mean difference of one channel over the block at (bx, by), rows counted from the bottom.
int blockDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int width, int height,
                    int bx, int by, int channel) {
    long sum = 0;
    const int right = std::min(bx + kBlockSide, width), top = std::min(by + kBlockSide, height);
    for (int y = by; y < top; ++y)
        for (int x = bx; x < right; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3 + channel;
            sum += static_cast<int>(a[i]) - static_cast<int>(b[i]);
        }
    return static_cast<int>(std::labs(sum) / ((right - bx) * (top - by)));
}

}  // namespace

FrameDifference compareFrames(const std::vector<unsigned char>& frame, const std::vector<unsigned char>& reference,
                              int width, int height) {
    FrameDifference difference;
    for (int by = 0; by < height; by += kBlockSide)
        for (int bx = 0; bx < width; bx += kBlockSide)
            for (int channel = 0; channel < 3; ++channel) {
                const int d = blockDifference(frame, reference, width, height, bx, by, channel);
                if (d <= difference.largest) continue;
                difference.largest = d;
                difference.x = bx;
                difference.y = std::max(0, height - std::min(by + kBlockSide, height));
            }
    return difference;
}

std::vector<unsigned char> differencePicture(const std::vector<unsigned char>& frame,
                                             const std::vector<unsigned char>& reference) {
    std::vector<unsigned char> picture(frame.size());
    for (std::size_t i = 0; i < frame.size() && i < reference.size(); ++i)
        picture[i] = static_cast<unsigned char>(std::min(255, 4 * std::abs(frame[i] - reference[i])));
    return picture;
}
