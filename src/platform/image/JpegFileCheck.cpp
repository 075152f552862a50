#include "platform/image/JpegFileCheck.h"

#include <cstdint>

// What DevIL cannot be given a JPEG with:
// - An application, comment or DNL segment running past the end of the file:
//   libjpeg skips it through DevIL's source manager, which at the end of the file
//   hands over no bytes and reports none missing, so the skip never ends.

namespace {

bool isStartOfFrame(unsigned marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The next marker as libjpeg finds it: bytes before a 0xFF and fill bytes skipped.
bool nextJpegMarker(ImageReader& file, unsigned& marker) {
    unsigned char byte = 0;
    do {
        do {
            if (!file.read(&byte, 1)) return false;
        } while (byte != 0xFF);
        do {
            if (!file.read(&byte, 1)) return false;
        } while (byte == 0xFF);
    } while (byte == 0);
    marker = byte;
    return true;
}

// Application, comment and DNL segments, which libjpeg skips rather than reads.
bool isSkippedByLibjpeg(unsigned marker) { return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE || marker == 0xDC; }

}  // namespace

// Walks every marker segment to EOI as libjpeg meets them, the entropy-coded data
// between them included. The first SOF gives the image size; a segment libjpeg
// skips must end inside the file.
ILenum checkJpegFile(ImageReader& file) {
    unsigned char start[2];
    if (!file.read(start, 2) || start[0] != 0xFF || start[1] != 0xD8) return IL_NO_ERROR;
    bool frameSeen = false;
    unsigned marker = 0;
    while (nextJpegMarker(file, marker) && marker != 0xD9) {
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) continue;
        unsigned char length[2];
        if (!file.read(length, 2)) return IL_NO_ERROR;
        const std::uint32_t segment = bigEndian16(length);
        if (segment < 2 && !isSkippedByLibjpeg(marker)) return IL_NO_ERROR;  // libjpeg refuses it
        if (segment < 2) continue;  // libjpeg skips nothing and reads on
        if (segment - 2 > file.remaining()) return isSkippedByLibjpeg(marker) ? IL_FILE_READ_ERROR : IL_NO_ERROR;
        if (isStartOfFrame(marker) && !frameSeen && segment >= 7) {
            frameSeen = true;
            unsigned char frame[5];
            file.read(frame, sizeof frame);
            const ILenum size = checkDecodedSize(bigEndian16(frame + 3), bigEndian16(frame + 1), frame[0] > 8 ? 2 : 1);
            if (size != IL_NO_ERROR) return size;
            file.skip(segment - 7);
        } else {
            file.skip(segment - 2);
        }
    }
    return IL_NO_ERROR;
}
