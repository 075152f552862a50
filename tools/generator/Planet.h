#pragma once

#include "AssetWriter.h"
#include "math/Vector3.h"

// The planet: a sphere of radius 3.5 with continents, oceans and ice caps.
void writePlanet(AssetWriter& out);

// Colour of the planet's surface, clouds included, along a unit direction from its centre.
Color planetSurfaceColor(const Vector3& direction);
