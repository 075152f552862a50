// zen_asset_generator: makes every mesh and image of the demo's resource tree.
//
//   zen_asset_generator <resources directory>
//   zen_asset_generator --icons <icon theme folder> <C++ file>
//
// Writes models/{spaceFighter,planet,podium,asteroid}/ (3DS meshes with their
// colour and tangent-space normal maps, 24-bit TGA) and textures/custom_space/
// (the six 1024x1024 PNG faces of the sky cube map). Everything comes from
// fixed seeds, so two runs write identical bytes. Each mesh is checked before
// it is written: closed, outward-wound, no degenerate triangles, no edge shared
// by more than two triangles, texture axes right-handed with the winding.
// Texture rows: row 0 of every TGA reaches GL as t = 0 (v = 0); row 0 of every
// PNG face is the first row of the pixel data that DevIL returns for it.
// The second form writes the program's icon instead: RGBA PNGs at every size
// in the theme folder's <N>x<N>/apps/, and the same images as the program's
// window icon in the C++ file.

#include <IL/il.h>
#include <IL/ilu.h>

#include <iostream>
#include <string>

#include "AssetWriter.h"
#include "AsteroidAssets.h"
#include "Fighter.h"
#include "Icon.h"
#include "Planet.h"
#include "Podium.h"
#include "SkyFaces.h"

namespace {

int writeIcon(const std::string& theme, const std::string& source) {
    if (!writeIcons(theme, source)) return 1;
    std::cout << "[INFO] Icons written to " << theme << " and " << source << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool icon = argc == 4 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icon) {
        std::cerr << "usage: zen_asset_generator <resources directory>\n"
                     "       zen_asset_generator --icons <icon theme folder> <C++ file>"
                  << std::endl;
        return 2;
    }
    ilInit();
    iluInit();
    if (icon) return writeIcon(argv[2], argv[3]);
    AssetWriter out(argv[1]);
    writePlanet(out);
    writePodium(out);
    writeAsteroid(out);
    writeFighter(out);
    writeSkyFaces(out);
    if (out.failures > 0) {
        std::cerr << "[ERROR] " << out.failures << " asset(s) could not be generated" << std::endl;
        return 1;
    }
    std::cout << "[INFO] Assets written to " << out.root << std::endl;
    return 0;
}
