#pragma once
// Uncompressed 24-bit BMP files, the game's one picture format. The game's
// own files have packed rows (width x 3 bytes, no padding), so widths that
// are multiples of 4 give standard files. Rows padded to four bytes, as
// other software writes them, are read without the padding when the header
// says so, and a top-down file (a negative height) is read the right way up.
// Failures print one line on standard output and return false. The pixels
// are read from the offset the header names when the rows fit after it, else
// from 54. A file laid out otherwise than the game's own (pixels elsewhere
// than at offset 54, another information header, compression, padded rows)
// is read after one line on standard error that says what differs.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/FileCloser.h"
#include "image/Image.h"

// Reads fileName (a full path) into image; true on success.
bool readBmp(const char* fileName, Image& image);
// The same, keeping the line printed for a refusal in refusal (without its
// line end), when it is not null.
bool readBmp(const char* fileName, Image& image, std::string* refusal);

// The rows of a BMP file one at a time, as they lie in the file, for a
// reader that keeps the pixels in a form of its own and need not hold the
// whole picture: the same header checks, refusals and warnings as readBmp.
class BmpRows {
public:
    BmpRows() = default;
    BmpRows(const BmpRows&) = delete;
    BmpRows& operator=(const BmpRows&) = delete;

    // Opens fileName (a full path) and reads its header; true when the rows
    // can be read.
    bool open(const char* fileName, std::string* refusal = nullptr);
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    bool topDown() const { return topDown_; }  // the file's first row is the picture's top
    // Reads the next row of the file, width x 3 bytes in the file's order
    // B, G, R, into bgr, and tells which row of the picture it is (0 at the
    // bottom). False, with the refusal, when the file ends short.
    bool readRow(unsigned char* bgr, uint32_t& pictureRow, std::string* refusal = nullptr);

private:
    FileCloser stream{nullptr};  // closed with the reader
    const char* name = "";  // the caller's, for the refusals
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    bool topDown_ = false;
    uint64_t padding = 0;  // bytes after each row in the file
    uint32_t rowsRead = 0;
};

// Writes image to fileName; true on success, false also when a write or the
// close fails (a full disk), which prints nothing: the caller names the file.
bool writeBmp(const char* fileName, const Image& image);
// The same for pixels held elsewhere, laid out as an Image's.
bool writeBmp(const char* fileName, uint32_t width, uint32_t height, const unsigned char* rgb);

// The next 2 or 4 bytes of the stream as a little-endian unsigned number.
uint32_t readLittleEndian16(std::FILE* stream);
uint32_t readLittleEndian32(std::FILE* stream);
