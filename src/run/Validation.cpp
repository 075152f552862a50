#include "run/Validation.h"

#include <iostream>
#include <vector>

#include <IL/il.h>

#include "run/FrameCapture.h"
#include "run/FrameComparison.h"
#include "run/GlInfo.h"
#include "shading/TextureFile.h"

namespace {

const char* const kReferenceFolder = "../resources/references/";

struct ValidationRecord {
    int frames = 0;
    int failed = 0;
};

ValidationRecord validation;

// The reference picture as RGB, bottom row first; empty (with its error line
// written) when it is missing, damaged or not of the validation's size.
std::vector<unsigned char> loadReference(const std::string& path, std::string& problem) {
    std::vector<unsigned char> pixels;
    const ILuint image = ilGenImage();
    ilBindImage(image);
    if (!loadImageFile(path) || !ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE)) {
        reportImageError("[ERROR] Could not load reference frame " + path + ": ");
        problem = "no reference frame";
    } else if (ilGetInteger(IL_IMAGE_WIDTH) != kValidationWidth || ilGetInteger(IL_IMAGE_HEIGHT) != kValidationHeight) {
        problem = "the reference frame is " + std::to_string(ilGetInteger(IL_IMAGE_WIDTH)) + "x" +
                  std::to_string(ilGetInteger(IL_IMAGE_HEIGHT)) + " pixels";
    } else {
        pixels.assign(ilGetData(), ilGetData() + kValidationWidth * kValidationHeight * 3);
        if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT) flipRows(pixels, kValidationWidth, kValidationHeight);
    }
    ilDeleteImage(image);
    return pixels;
}

void writeFailure(const std::string& folder, const std::string& name, const std::vector<unsigned char>& frame,
                  const std::vector<unsigned char>& reference) {
    writeFramePicture(pathInFolder(folder, name + ".png"), kValidationWidth, kValidationHeight, frame);
    if (!reference.empty())
        writeFramePicture(pathInFolder(folder, name + "-difference.png"), kValidationWidth, kValidationHeight,
                          differencePicture(frame, reference));
}

}  // namespace

void beginValidation() {
    std::cout << "validate: on " << glString(GL_RENDERER) << ", OpenGL " << glString(GL_VERSION) << std::endl;
}

std::string referenceName(const TourScene& scene, long frame) {
    return std::string(scene.name) + "-frame-" + std::to_string(frame);
}

void validateFrame(const TourScene& scene, long frame, const std::string& captureFolder) {
    const std::vector<unsigned char> drawn = readFrame(kValidationWidth, kValidationHeight);
    const std::string name = referenceName(scene, frame);
    std::string problem;
    const std::vector<unsigned char> reference = loadReference(kReferenceFolder + name + ".png", problem);
    std::cout << "validate: " << scene.name << " frame " << frame << ": ";
    bool passed = false;
    if (reference.empty()) {
        std::cout << "FAIL (" << problem << ")" << std::endl;
    } else {
        const FrameDifference d = compareFrames(drawn, reference, kValidationWidth, kValidationHeight);
        passed = d.largest <= kValidationTolerance;
        if (passed) std::cout << "pass (largest difference " << d.largest << ")" << std::endl;
        else std::cout << "FAIL (largest difference " << d.largest << " at " << d.x << "," << d.y << ")" << std::endl;
    }
    ++validation.frames;
    if (passed) return;
    ++validation.failed;
    if (!captureFolder.empty()) writeFailure(captureFolder, name, drawn, reference);
}

int endValidation() {
    std::cout << "validate: " << validation.frames - validation.failed << " of " << validation.frames
              << " frames pass" << std::endl;
    return validation.failed == 0 ? 0 : 1;
}
