#pragma once

#include "AssetWriter.h"

// The planet: a sphere of radius 3.5 with continents, oceans and ice caps.
void writePlanet(AssetWriter& out);
