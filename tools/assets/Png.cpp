#include "Png.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace {

const std::array<uint32_t, 256>& crcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

void putBigEndian(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// Length, type, data and the CRC of type and data.
void putChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    putBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + typeStart, out.size() - typeStart));
}

// A zlib stream of stored blocks, each at most 65,535 bytes.
std::vector<unsigned char> zlibStored(const std::vector<unsigned char>& raw) {
    std::vector<unsigned char> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
    size_t offset = 0;
    do {
        size_t length = std::min<size_t>(raw.size() - offset, 65535);
        bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<unsigned char>(length));
        out.push_back(static_cast<unsigned char>(length >> 8));
        out.push_back(static_cast<unsigned char>(~length));
        out.push_back(static_cast<unsigned char>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    putBigEndian(out, adler32(raw.data(), raw.size()));
    return out;
}

}  // namespace

uint32_t crc32(const unsigned char* bytes, size_t count) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i) c = crcTable()[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const unsigned char* bytes, size_t count) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < count; ++i) {
        a = (a + bytes[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

bool writePng(const std::string& path, const RgbaPicture& picture) {
    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<uint32_t>(picture.width));
    putBigEndian(header, static_cast<uint32_t>(picture.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace

    // Each row starts with its filter type, 0: the bytes as they are.
    std::vector<unsigned char> rows;
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        auto start = picture.rgba.begin() + static_cast<std::ptrdiff_t>(y * rowBytes);
        rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
    }

    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", zlibStored(rows));
    putChunk(file, "IEND", {});

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out.flush());
}
