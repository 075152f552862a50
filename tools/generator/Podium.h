#pragma once

#include "AssetWriter.h"

// The landing pedestal: a faceted, stepped column with a flat pad 34 units
// across whose top lies at y = 0; panelled metal textures.
void writePodium(AssetWriter& out);
