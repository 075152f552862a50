// The validation's comparison of a frame with its reference, on small frames.
#include <vector>

#include <gtest/gtest.h>

#include "run/FrameComparison.h"

// 16x16 pixels, bottom row first: rows 8 to 15 are the top block row, y 0. Blue
// is 7 lower in its right block, green 3 higher in the bottom left block.
TEST(FrameComparison, GivesTheLargestBlockMeanDifferenceOfAnyChannelAndWhereItIs) {
    const std::vector<unsigned char> reference(16 * 16 * 3, 100);
    std::vector<unsigned char> frame = reference;
    for (int i = 0; i < 16 * 16; ++i) {
        if (i / 16 >= 8 && i % 16 >= 8) frame[i * 3 + 2] = 93;
        if (i / 16 < 8 && i % 16 < 8) frame[i * 3 + 1] = 103;
    }
    const FrameDifference d = compareFrames(frame, reference, 16, 16);
    EXPECT_EQ(std::vector<int>({d.largest, d.x, d.y}), std::vector<int>({7, 8, 0}));
}
