// The spline description loader on any bytes: the file as the program reads it
// at start-up, then the curve it samples and a walk along it.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "FuzzFiles.h"
#include "spline/Spline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Spline spline(writeInputFile(data, size, "input.sdf"));
    if (spline.sampleCount > 0) {
        const float length = spline.samples[spline.sampleCount - 1].arcLength;
        for (float part : {0.0f, 0.5f, 1.0f}) spline.findSample(std::isfinite(length) ? length * part : part);
    }
    return 0;
}
