#pragma once

#include <IL/il.h>

#include "platform/image/ImageReader.h"

// Walks a JPEG file's marker segments as libjpeg would meet them; IL_NO_ERROR when
// DevIL may have it.
ILenum checkJpegFile(ImageReader& file);
