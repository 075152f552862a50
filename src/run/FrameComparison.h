#pragma once

#include <vector>

// How far a frame is from its reference: the largest difference, in 1/255, of
// one colour channel's mean over a block of 8 by 8 pixels. A driver that
// rounds or samples a little differently moves such means by a few; a missing
// shadow, reflection or sky moves some block by 70 or more.
struct FrameDifference {
    int largest = 0;
    int x = 0;  // the block's top left corner, counted from the picture's top left
    int y = 0;
};

constexpr int kBlockSide = 8;

// Two RGB pictures of width by height pixels, bottom row first.
FrameDifference compareFrames(const std::vector<unsigned char>& frame, const std::vector<unsigned char>& reference,
                              int width, int height);

// Each channel's absolute difference, four times over (at most 255), to be seen.
std::vector<unsigned char> differencePicture(const std::vector<unsigned char>& frame,
                                             const std::vector<unsigned char>& reference);
