#pragma once

#include <IL/il.h>

#include "platform/image/ImageReader.h"

// Walks a PNG file's chunks as libpng would meet them; IL_NO_ERROR when DevIL may have it.
ILenum checkPngFile(ImageReader& file);
