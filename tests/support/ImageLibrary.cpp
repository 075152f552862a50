#include "support/ImageLibrary.h"

#include <vector>

#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

void initialiseImageLibrary() {
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    ilEnable(IL_FILE_OVERWRITE);
}

void writeSolidImage(const std::string& path, int width, const Rgb& colour, int height) {
    if (height == 0) height = width;
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), colour.begin(), colour.end());
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    ilBindImage(0);
}
