// A 3DS file as the program loads its meshes at start-up: the model with its
// tangents, then the shadow volume built from it (edge connectivity), lit once
// per light mode as each frame does before it extrudes the silhouette.
#include <cstddef>
#include <cstdint>

#include <unistd.h>

#include "FuzzFiles.h"
#include "platform/model/Model3ds.h"
#include "shadow/ShadowVolume.h"
#include "support/GlContext.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    silenceStreams();
    if (chdir(ZEN_BIN_DIR) != 0) return 1;  // the shadow volume's programs are in ../resources/shader/
    static GlContext* context = new GlContext(32, 32);
    (void)context;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Model3ds model;
    model.loadModelWithTangents(writeInputFile(data, size, "input.3ds"));
    ShadowVolume volume(&model, "Fuzz");
    for (int mode : {0, 1}) {
        volume.lightMode = mode;
        volume.light = Vector4(3.0f, 5.0f, -2.0f, 1.0f);
        volume.updateFacing(Matrix4());
        volume.findSilhouette();
    }
    return 0;
}
