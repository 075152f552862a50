#pragma once

#include <cstdint>
#include <string>

#include <IL/il.h>

// Largest image the loaders let DevIL decode, counted as width x height x four
// channels x the file's bytes per sample (two for 16-bit PNG samples): an
// 8192 x 8192 RGBA image. DevIL allocates the declared image before it reads a
// pixel, and a texture load peaks at about 2.3 times this size.
constexpr std::uint64_t kMaxDecodedImageBytes = std::uint64_t(256) << 20;

// Reads as much of a TGA, PNG or JPEG file as it takes to tell whether DevIL can
// decode it without crashing, hanging or taking memory without bound, and returns
// IL_NO_ERROR when it can (DevIL then loads the file or reports its own error),
// else the error to report. Every refusal prevents a hazard of DevIL 1.7.8, ILU,
// ILUT or GLU; the rules and their hazards are listed in ImageFileCheck.cpp.
//  - IL_COULD_NOT_OPEN_FILE   the file cannot be opened or read, is not a
//                             regular file or is larger than kImageFileLimit;
//  - IL_INVALID_EXTENSION     the extension picks none of DevIL's TGA, PNG and JPEG
//                             decoders (its other decoders are not hardened);
//  - IL_INVALID_FILE_HEADER   a TGA header is cut short, or its pixels are colour
//                             indices DevIL cannot convert;
//  - IL_OUT_OF_MEMORY         the decoded image exceeds kMaxDecodedImageBytes;
//  - IL_FILE_READ_ERROR       the declared data or chunks run past the end of the file;
//  - IL_ILLEGAL_FILE_VALUE    a colour index lies past the palette, or the indices
//                             of a PNG with a short palette cannot all be decoded.
ILenum checkImageFile(const std::string& path);

// The same rules for file contents held in memory; `path` only names the
// extension.
ILenum checkImageBytes(const std::string& path, const std::string& bytes);
