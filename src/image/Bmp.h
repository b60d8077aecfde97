#pragma once
// Uncompressed 24-bit BMP files, the game's one picture format. Rows are
// packed (width x 3 bytes, no padding), so widths that are multiples of 4
// give standard files. Failures print one line on standard output and
// return false. A file laid out otherwise (pixels elsewhere than at offset
// 54, another information header, compression, padded rows) is read the
// same way, after one line on standard error that says what differs.
#include <cstdint>
#include <cstdio>

#include "image/Image.h"

// Reads fileName (a full path) into image; true on success.
bool readBmp(const char* fileName, Image& image);

// Writes image to fileName; true on success, false also when a write or the
// close fails (a full disk), which prints nothing: the caller names the file.
bool writeBmp(const char* fileName, const Image& image);
// The same for pixels held elsewhere, laid out as an Image's.
bool writeBmp(const char* fileName, uint32_t width, uint32_t height, const unsigned char* rgb);

// The next 2 or 4 bytes of the stream as a little-endian unsigned number.
uint32_t readLittleEndian16(std::FILE* stream);
uint32_t readLittleEndian32(std::FILE* stream);
