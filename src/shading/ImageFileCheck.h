#pragma once

#include <cstdint>
#include <string>

#include <IL/il.h>

// Largest image the loaders let DevIL decode, counted as width x height x four
// channels x the file's bytes per sample (two for 16-bit PNG samples).
constexpr std::uint64_t kMaxDecodedImageBytes = std::uint64_t(64) << 20;

// Reads the container structure of a TGA or PNG file before DevIL sees it and
// returns IL_NO_ERROR when DevIL may decode it, else the error to report:
//  - IL_COULD_NOT_OPEN_FILE   the file cannot be opened;
//  - IL_INVALID_EXTENSION     the name does not end in ".tga" or ".png" (DevIL
//                             picks its decoder by the text after the last dot);
//  - IL_INVALID_FILE_HEADER   a header field is zero, out of range or of a kind
//                             the decoder is not known to handle safely;
//  - IL_OUT_OF_MEMORY         a side exceeds maxDimension or the decoded image
//                             exceeds kMaxDecodedImageBytes;
//  - IL_FILE_READ_ERROR       the declared data or chunks run past the end of the file;
//  - IL_ILLEGAL_FILE_VALUE    a PNG chunk is damaged, misplaced or missing, or a TGA
//                             run-length packet runs past the last pixel.
ILenum checkImageFile(const std::string& path, int maxDimension);

// The same rules for file contents held in memory; `path` only names the
// extension.
ILenum checkImageBytes(const std::string& path, const std::string& bytes, int maxDimension);
