#pragma once

#include "AssetWriter.h"

// The asteroid: a cratered, noise-displaced rock of radius about 1, and three
// rock texture variants (Tex0 to Tex2 with their normal maps).
void writeAsteroid(AssetWriter& out);
