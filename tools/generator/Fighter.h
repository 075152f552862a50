#pragma once

#include "AssetWriter.h"

// The space fighter, nose along +z and top along +y, 11 units long: fuselage,
// canopy, swept wings, canted tail fins, engine nacelles and wing-tip cannons.
ThreeDsMesh fighterMesh();
// Colour map and the two normal maps (hull plating, finer plating).
void writeFighterTextures(AssetWriter& out);

inline void writeFighter(AssetWriter& out) {
    out.mesh("models/spaceFighter/spaceFighter.3ds", fighterMesh());
    writeFighterTextures(out);
}
