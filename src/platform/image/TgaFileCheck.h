#pragma once

#include <IL/il.h>

#include "platform/image/ImageReader.h"

// Reads a TGA file as DevIL would decode it; IL_NO_ERROR when DevIL may have it.
ILenum checkTgaFile(ImageReader& file);
