#include "image/Bmp.h"

#include <cstdlib>

#include "platform/RegularFile.h"

namespace {

constexpr long pixelBlockOffset = 54;

// Closes the stream when the reader or writer returns, on every path.
struct FileCloser {
    std::FILE* file;
    ~FileCloser() { std::fclose(file); }
};

void writeLittleEndian16(std::FILE* stream, uint32_t value) {
    std::fputc(value & 0xff, stream);
    std::fputc((value >> 8) & 0xff, stream);
}

void writeLittleEndian32(std::FILE* stream, uint32_t value) {
    writeLittleEndian16(stream, value & 0xffff);
    writeLittleEndian16(stream, value >> 16);
}

// Bytes of the file from the pixel block to its end; 0 when shorter.
uint64_t bytesAfterHeader(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return 0;
    long end = std::ftell(file);
    std::fseek(file, pixelBlockOffset, SEEK_SET);
    return end > pixelBlockOffset ? static_cast<uint64_t>(end - pixelBlockOffset) : 0;
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

    std::fseek(file, 18, SEEK_CUR);
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
    std::fseek(file, 24, SEEK_CUR);

    // Refuse sizes that overflow 32 bits (a top-down file's negative height
    // reads as one) before allocating anything.
    uint64_t size = uint64_t{image.width} * image.height * 3;
    if (size > UINT32_MAX) {
        std::printf("Image size of %s is too large: %u x %u\n", fileName, image.width, image.height);
        return false;
    }
    // A block that is empty or longer than the file is a short read: refuse
    // it before allocating more than the file could hold.
    if (size == 0 || size > bytesAfterHeader(file)) {
        std::printf("Error reading image data from %s.\n", fileName);
        return false;
    }
    image.data = static_cast<unsigned char*>(std::malloc(size));
    if (!image.data) {
        std::printf("Error allocating memory for color-corrected image data");
        return false;
    }
    if (std::fread(image.data, size, 1, file) != 1) {
        std::free(image.data);
        image.data = nullptr;
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
    std::FILE* file = std::fopen(fileName, "wb");
    if (!file) {
        std::printf("Could not open file for writing : %s\n", fileName);
        return false;
    }

    uint32_t size = image.width * image.height * 3;
    std::fputs("BM", file);
    writeLittleEndian32(file, size + 54);
    writeLittleEndian16(file, 0);
    writeLittleEndian16(file, 0);
    writeLittleEndian32(file, 54);
    writeLittleEndian32(file, 40);
    writeLittleEndian32(file, image.width);
    writeLittleEndian32(file, image.height);
    writeLittleEndian16(file, 1);
    writeLittleEndian16(file, 24);
    for (int i = 0; i < 6; ++i) writeLittleEndian32(file, 0);
    for (uint32_t offset = 0; offset < size; offset += 3) {
        std::fputc(image.data[offset + 2], file);
        std::fputc(image.data[offset + 1], file);
        std::fputc(image.data[offset], file);
    }
    // A full disk shows in the stream's error flag or, for the last buffer,
    // only when the file is closed.
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}
