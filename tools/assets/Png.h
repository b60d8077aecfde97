#pragma once
// A minimal PNG writer for the desktop icons: 8-bit RGBA, no filtering, the
// pixels kept in zlib's stored (uncompressed) blocks. Icons are small, so
// the size costs little, and no compression library is needed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// An RGBA picture, top row first (PNG's order, unlike Canvas).
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;  // 4 bytes per pixel, width * height * 4
};

// The checksums the format needs: CRC-32 over each chunk's type and data,
// Adler-32 over the zlib stream's uncompressed bytes.
uint32_t crc32(const unsigned char* bytes, size_t count);
uint32_t adler32(const unsigned char* bytes, size_t count);

// False when the file cannot be written.
bool writePng(const std::string& path, const RgbaPicture& picture);
