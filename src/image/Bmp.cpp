#include "image/Bmp.h"

#include <cstdarg>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "base/RegularFile.h"

namespace {

constexpr long pixelBlockOffset = 54;
constexpr uint32_t coreHeaderSize = 12;

void writeLittleEndian16(std::FILE* stream, uint32_t value) {
    std::fputc(value & 0xff, stream);
    std::fputc((value >> 8) & 0xff, stream);
}

void writeLittleEndian32(std::FILE* stream, uint32_t value) {
    writeLittleEndian16(stream, value & 0xffff);
    writeLittleEndian16(stream, value >> 16);
}

// The file's length in bytes (0 when it cannot be told); the stream is left
// at its start.
uint64_t fileLength(std::FILE* file) {
    long end = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : 0;
    std::rewind(file);
    return end > 0 ? static_cast<uint64_t>(end) : 0;
}

// The header fields this reader skips, which other software fills in its
// own way, and what they tell of the rows.
struct SkippedFields {
    uint32_t fileSize;
    uint32_t pixelOffset;
    uint32_t infoHeaderSize;
    uint32_t compression;
    uint32_t imageSize;
};

// Where the pixels start: at the offset the header names (past a longer
// information header or a colour table), when it leaves room in the file for
// the packed rows at least; else at 54, where the game's own files have them.
uint64_t pixelBlockStart(const SkippedFields& fields, uint64_t packedSize, uint64_t length) {
    const uint64_t named = fields.pixelOffset;
    return named >= pixelBlockOffset && named <= length && packedSize <= length - named ? named : pixelBlockOffset;
}

// Whether the rows are padded to four bytes, as a standard BMP's are, or
// packed, as this game's own files are. Where the two differ the header says
// which: the pixel block's size, or else the file's size. A header that says
// neither (some writers count trailing bytes in both) leaves it to the file:
// padded rows when it holds them, whatever trails them, else packed rows.
bool rowsArePadded(uint32_t width, uint32_t height, const SkippedFields& fields, uint64_t length, uint64_t start) {
    const uint64_t packed = uint64_t{width} * 3 * height;
    const uint64_t padded = (uint64_t{width} * 3 + 3) / 4 * 4 * height;
    if (padded == packed) return false;
    if (fields.imageSize == padded) return true;
    if (fields.imageSize == packed) return false;
    for (uint64_t offset : {uint64_t{pixelBlockOffset}, uint64_t{fields.pixelOffset}}) {
        if (fields.fileSize == offset + padded) return true;
        if (fields.fileSize == offset + packed) return false;
    }
    return length - start >= padded;
}

// One line on standard error for a file that is not laid out as this
// reader's own files are (an image editor's, say), so that a picture that
// looks wrong says why.
void warnOfForeignLayout(const char* fileName, const SkippedFields& fields, uint64_t start, bool padded) {
    std::string differences;
    auto add = [&differences](const std::string& difference) {
        differences += (differences.empty() ? "" : "; ") + difference;
    };
    if (fields.pixelOffset != pixelBlockOffset)
        add("pixel data at offset " + std::to_string(fields.pixelOffset) + ", not 54");
    if (fields.infoHeaderSize != 40)
        add("information header of " + std::to_string(fields.infoHeaderSize) + " bytes, not 40");
    if (fields.compression != 0) add("compression " + std::to_string(fields.compression) + ", not 0");
    // A pixel offset the reader follows is a difference it honours, as padding is.
    const bool ignored = fields.pixelOffset != start || fields.infoHeaderSize != 40 || fields.compression != 0;
    if (padded) add("rows padded to four bytes, not packed");
    if (differences.empty()) return;
    std::fprintf(stderr, "Warning: %s: %s. It is read as %s 24-bit rows from offset %llu%s.\n", fileName,
                 differences.c_str(), padded ? "padded" : "packed", static_cast<unsigned long long>(start),
                 ignored ? " all the same" : "");
}

// Prints a refusal on standard output, as the reader always has, and keeps
// it for the caller.
bool refuse(std::string* refusal, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool refuse(std::string* refusal, const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fputs(line, stdout);
    if (refusal) {
        *refusal = line;
        if (!refusal->empty() && refusal->back() == '\n') refusal->pop_back();
    }
    return false;
}

}  // namespace

uint32_t readLittleEndian16(std::FILE* stream) {
    uint32_t b0 = static_cast<unsigned char>(std::fgetc(stream));
    uint32_t b1 = static_cast<unsigned char>(std::fgetc(stream));
    return b0 + 256u * b1;
}

uint32_t readLittleEndian32(std::FILE* stream) {
    uint32_t low = readLittleEndian16(stream);
    uint32_t high = readLittleEndian16(stream);
    return low + 65536u * high;
}

bool BmpRows::open(const char* fileName, std::string* refusal) {
    name = fileName;
    stream.file = isRegularFile(fileName) ? std::fopen(fileName, "rb") : nullptr;
    if (!stream.file) return refuse(refusal, "File Not Found : %s\n", fileName);

    const uint64_t length = fileLength(stream.file);
    SkippedFields skipped{};
    std::fseek(stream.file, 2, SEEK_SET);
    skipped.fileSize = readLittleEndian32(stream.file);
    std::fseek(stream.file, 10, SEEK_SET);
    skipped.pixelOffset = readLittleEndian32(stream.file);
    skipped.infoHeaderSize = readLittleEndian32(stream.file);
    // The older 12-byte header holds 16-bit sizes and no more fields, so the
    // fields read below would be pixels; it can be shorter than 54 bytes.
    if (length >= 18 && skipped.infoHeaderSize == coreHeaderSize)
        return refuse(refusal,
                      "%s has a 12-byte header, which this game does not read; save it as a 24-bit BMP with a "
                      "40-byte header\n",
                      fileName);
    // A header cut short would be read from the bytes past its end.
    if (length < pixelBlockOffset) return refuse(refusal, "Error reading image data from %s.\n", fileName);
    width_ = readLittleEndian32(stream.file);
    height_ = readLittleEndian32(stream.file);
    // A negative height is a picture stored top row first.
    topDown_ = height_ > INT32_MAX;
    if (topDown_) height_ = 0u - height_;

    uint32_t planes = readLittleEndian16(stream.file);
    if (planes != 1) return refuse(refusal, "Planes from %s is not 1: %u\n", fileName, planes);
    uint32_t bitsPerPixel = readLittleEndian16(stream.file);
    if (bitsPerPixel != 24) return refuse(refusal, "Bpp from %s is not 24: %u\n", fileName, bitsPerPixel);
    skipped.compression = readLittleEndian32(stream.file);
    skipped.imageSize = readLittleEndian32(stream.file);

    // Refuse sizes that overflow 32 bits before allocating anything.
    const uint64_t row = uint64_t{width_} * 3;
    const uint64_t size = row * height_;
    if (size > UINT32_MAX)
        return refuse(refusal, "Image size of %s is too large: %u x %u\n", fileName, width_, height_);
    const uint64_t start = pixelBlockStart(skipped, size, length);
    const bool padded = rowsArePadded(width_, height_, skipped, length, start);
    padding = padded ? (row + 3) / 4 * 4 - row : 0;
    // A block that is empty or longer than the stream.file is a short read: refuse
    // it before allocating more than the stream.file could hold.
    if (size == 0 || (row + padding) * height_ > length - start)
        return refuse(refusal, "Error reading image data from %s.\n", fileName);
    warnOfForeignLayout(fileName, skipped, start, padded);
    std::fseek(stream.file, static_cast<long>(start), SEEK_SET);
    rowsRead = 0;
    return true;
}

bool BmpRows::readRow(unsigned char* bgr, uint32_t& pictureRow, std::string* refusal) {
    const size_t row = size_t{width_} * 3;
    if (!stream.file || rowsRead == height_ || std::fread(bgr, row, 1, stream.file) != 1 ||
        (padding > 0 && std::fseek(stream.file, static_cast<long>(padding), SEEK_CUR) != 0))
        return refuse(refusal, "Error reading image data from %s.\n", name);
    pictureRow = topDown_ ? height_ - 1 - rowsRead : rowsRead;
    ++rowsRead;
    return true;
}

bool readBmp(const char* fileName, Image& image) { return readBmp(fileName, image, nullptr); }

bool readBmp(const char* fileName, Image& image, std::string* refusal) {
    BmpRows rows;
    if (!rows.open(fileName, refusal)) return false;
    image.width = rows.width();
    image.height = rows.height();
    const size_t row = size_t{image.width} * 3;
    const size_t size = row * image.height;
    image.data.reset(static_cast<unsigned char*>(std::malloc(size)));
    if (!image.data) return refuse(refusal, "Error allocating memory for color-corrected image data");
    // Row by row, bottom row first in the picture, past any padding.
    for (uint32_t r = 0; r < image.height; ++r) {
        unsigned char* out = image.data.get() + row * (rows.topDown() ? image.height - 1 - r : r);
        uint32_t pictureRow;
        if (!rows.readRow(out, pictureRow, refusal)) {
            image.data.reset();
            return false;
        }
    }
    // The file stores B, G, R; the game works in R, G, B.
    for (size_t i = 0; i + 2 < size; i += 3) {
        unsigned char blue = image.data[i];
        image.data[i] = image.data[i + 2];
        image.data[i + 2] = blue;
    }
    return true;
}

bool writeBmp(const char* fileName, const Image& image) {
    return writeBmp(fileName, image.width, image.height, image.data.get());
}

bool writeBmp(const char* fileName, uint32_t width, uint32_t height, const unsigned char* rgb) {
    std::FILE* file = std::fopen(fileName, "wb");
    if (!file) {
        std::printf("Could not open file for writing : %s\n", fileName);
        return false;
    }

    uint32_t size = width * height * 3;
    std::fputs("BM", file);
    writeLittleEndian32(file, size + 54);
    writeLittleEndian16(file, 0);
    writeLittleEndian16(file, 0);
    writeLittleEndian32(file, 54);
    writeLittleEndian32(file, 40);
    writeLittleEndian32(file, width);
    writeLittleEndian32(file, height);
    writeLittleEndian16(file, 1);
    writeLittleEndian16(file, 24);
    for (int i = 0; i < 6; ++i) writeLittleEndian32(file, 0);
    for (uint32_t offset = 0; offset < size; offset += 3) {
        std::fputc(rgb[offset + 2], file);
        std::fputc(rgb[offset + 1], file);
        std::fputc(rgb[offset], file);
    }
    // A full disk shows in the stream's error flag or, for the last buffer,
    // only when the file is closed.
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}
