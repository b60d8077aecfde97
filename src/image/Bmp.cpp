#include "image/Bmp.h"

#include <cstdlib>
#include <string>

#include "platform/FileCloser.h"
#include "platform/RegularFile.h"

namespace {

constexpr long pixelBlockOffset = 54;

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
// own way.
struct SkippedFields {
    uint32_t pixelOffset;
    uint32_t infoHeaderSize;
    uint32_t compression;
};

// One line on standard error for a file that is not laid out as this reader
// takes it (an image editor's, say), so that a picture that looks wrong
// says why. The pixels are read as usual all the same.
void warnOfForeignLayout(const char* fileName, const Image& image, const SkippedFields& fields,
                         uint64_t length) {
    std::string differences;
    auto add = [&differences](const std::string& difference) {
        differences += (differences.empty() ? "" : "; ") + difference;
    };
    if (fields.pixelOffset != pixelBlockOffset)
        add("pixel data at offset " + std::to_string(fields.pixelOffset) + ", not 54");
    if (fields.infoHeaderSize != 40)
        add("information header of " + std::to_string(fields.infoHeaderSize) + " bytes, not 40");
    if (fields.compression != 0) add("compression " + std::to_string(fields.compression) + ", not 0");
    const uint64_t packedRow = uint64_t{image.width} * 3;
    const uint64_t paddedRow = (packedRow + 3) / 4 * 4;
    if (paddedRow != packedRow && length == fields.pixelOffset + paddedRow * image.height)
        add("rows padded to four bytes, not packed");
    if (differences.empty()) return;
    std::fprintf(stderr, "Warning: %s: %s. It is read as packed 24-bit rows from offset 54 all the same.\n",
                 fileName, differences.c_str());
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

bool readBmp(const char* fileName, Image& image) {
    std::FILE* file = isRegularFile(fileName) ? std::fopen(fileName, "rb") : nullptr;
    if (!file) {
        std::printf("File Not Found : %s\n", fileName);
        return false;
    }
    FileCloser closer{file};

    // A header cut short would be read from the bytes past its end.
    const uint64_t length = fileLength(file);
    if (length < pixelBlockOffset) {
        std::printf("Error reading image data from %s.\n", fileName);
        return false;
    }
    SkippedFields skipped{};
    std::fseek(file, 10, SEEK_SET);
    skipped.pixelOffset = readLittleEndian32(file);
    skipped.infoHeaderSize = readLittleEndian32(file);
    image.width = readLittleEndian32(file);
    image.height = readLittleEndian32(file);

    uint32_t planes = readLittleEndian16(file);
    if (planes != 1) {
        std::printf("Planes from %s is not 1: %u\n", fileName, planes);
        return false;
    }
    uint32_t bitsPerPixel = readLittleEndian16(file);
    if (bitsPerPixel != 24) {
        std::printf("Bpp from %s is not 24: %u\n", fileName, bitsPerPixel);
        return false;
    }
    skipped.compression = readLittleEndian32(file);
    std::fseek(file, pixelBlockOffset, SEEK_SET);

    // Refuse sizes that overflow 32 bits (a top-down file's negative height
    // reads as one) before allocating anything.
    uint64_t size = uint64_t{image.width} * image.height * 3;
    if (size > UINT32_MAX) {
        std::printf("Image size of %s is too large: %u x %u\n", fileName, image.width, image.height);
        return false;
    }
    // A block that is empty or longer than the file is a short read: refuse
    // it before allocating more than the file could hold.
    if (size == 0 || size > length - pixelBlockOffset) {
        std::printf("Error reading image data from %s.\n", fileName);
        return false;
    }
    warnOfForeignLayout(fileName, image, skipped, length);
    image.data.reset(static_cast<unsigned char*>(std::malloc(size)));
    if (!image.data) {
        std::printf("Error allocating memory for color-corrected image data");
        return false;
    }
    if (std::fread(image.data.get(), size, 1, file) != 1) {
        image.data.reset();
        std::printf("Error reading image data from %s.\n", fileName);
        return false;
    }
    // The file stores B, G, R; the game works in R, G, B.
    for (uint64_t i = 0; i + 2 < size; i += 3) {
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
