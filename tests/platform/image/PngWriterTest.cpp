#include <png.h>

#include <vector>

#include <gtest/gtest.h>

#include "platform/image/PngWriter.h"

// 3 x 2 pixels as OpenGL reads them back: red at the bottom left, blue at the top right.
TEST(PngWriter, WritesTheTopRowFirstAtThePicturesSize) {
    const unsigned char bottomUp[] = {255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255};
    std::vector<unsigned char> png, topDown(18);
    ASSERT_TRUE(encodePng(3, 2, bottomUp, png));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
    EXPECT_EQ(image.width * 1000 + image.height, 3002u);
    image.format = PNG_FORMAT_RGB;
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, topDown.data(), 0, nullptr));
    EXPECT_EQ(topDown, std::vector<unsigned char>({0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0}));
}
