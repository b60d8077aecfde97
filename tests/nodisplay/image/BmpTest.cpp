// The BMP reader and writer: header layout, packed rows, B/G/R <-> R/G/B,
// and the one-line refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "image/Bmp.h"
#include "support/Files.h"
#include "support/TempWorkDir.h"

namespace {

std::string le16(uint32_t value) {
    return {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff)};
}

std::string le32(uint32_t value) { return le16(value & 0xffff) + le16(value >> 16); }

// A 54-byte header laid out as the writer produces it; the fields the reader
// skips can be overridden to show that they are ignored.
std::string header(uint32_t width, uint32_t height, uint32_t planes = 1, uint32_t bpp = 24,
                   const std::string& signature = "BM", uint32_t pixelOffset = 54,
                   uint32_t infoSize = 40) {
    return signature + le32(width * height * 3 + 54) + le16(0) + le16(0) + le32(pixelOffset) +
           le32(infoSize) + le32(width) + le32(height) + le16(planes) + le16(bpp) +
           std::string(24, '\0');
}

// Reads path, expecting failure; returns what the reader printed.
std::string refusalOf(const std::string& path) {
    Image image;
    testing::internal::CaptureStdout();
    bool ok = readBmp(path.c_str(), image);
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(ok) << path;
    return printed;
}

const std::string twoByOnePixels = "\x01\x02\x03\x04\x05\x06";

}  // namespace

TEST(BmpTest, ReadsPixelsFromTheNamedOffsetAsRgbWhateverTheSkippedFieldsSay) {
    TempWorkDir dir;
    // A canonical file, one with a foreign signature, a pixel offset of 100
    // past its end (so read from 54), a 108-byte information header and
    // trailing bytes, one with a 124-byte header and pixels at 138, and ones
    // as image editors write them: compressed, or with rows padded to four bytes as
    // the header says (the pixel block's size or the file's), two trailing
    // bytes after it (counted in both sizes, or not). Foreign layouts get one line saying what differs. Two
    // rows of a padded picture and a top-down one come out as the picture
    // is, not skewed and not upside down.
    auto with = [](std::string bytes, size_t at, uint32_t field) { return bytes.replace(at, 4, le32(field)); };
    const std::string compressed = with(header(2, 1) + twoByOnePixels, 30, 3);
    const std::string padded = with(header(2, 1) + twoByOnePixels + std::string(2, '\0') + "xx", 34, 8);
    const std::string paddedBySize = with(with(padded, 2, 62), 34, 0);
    const std::string twoRows =
        with(header(2, 2) + "\x01\x02\x03\x04\x05\x06pp" + "\x07\x08\x09\x0a\x0b\x0cpp" + "zz", 34, 16);
    const std::string topDown = header(2, static_cast<uint32_t>(-2)) + "\x07\x08\x09\x0a\x0b\x0c" + twoByOnePixels;
    const std::string oneRow = "\x03\x02\x01\x06\x05\x04", bothRows = oneRow + "\x09\x08\x07\x0c\x0b\x0a";
    const std::string readPacked = " It is read as packed 24-bit rows from offset 54 all the same.\n";
    const std::string readPadded = " It is read as padded 24-bit rows from offset 54.\n";
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"plain.bmp", header(2, 1) + twoByOnePixels, "", oneRow},
        {"odd.bmp", header(2, 1, 1, 24, "XY", 100, 108) + twoByOnePixels + "trailing",
         "Warning: odd.bmp: pixel data at offset 100, not 54; information header of 108 bytes, not 40." + readPacked,
         oneRow},
        {"v5.bmp", header(2, 1, 1, 24, "BM", 138, 124) + std::string(84, '\xee') + twoByOnePixels,
         "Warning: v5.bmp: pixel data at offset 138, not 54; information header of 124 bytes, not 40. It is read as "
         "packed 24-bit rows from offset 138 all the same.\n", oneRow},
        {"compressed.bmp", compressed, "Warning: compressed.bmp: compression 3, not 0." + readPacked, oneRow},
        {"padded.bmp", padded, "Warning: padded.bmp: rows padded to four bytes, not packed." + readPadded, oneRow},
        {"sized.bmp", paddedBySize, "Warning: sized.bmp: rows padded to four bytes, not packed." + readPadded, oneRow},
        {"tworows.bmp", twoRows, "Warning: tworows.bmp: rows padded to four bytes, not packed." + readPadded,
         bothRows},
        {"counted.bmp", with(with(twoRows, 2, 72), 34, 18),
         "Warning: counted.bmp: rows padded to four bytes, not packed." + readPadded, bothRows},
        {"topdown.bmp", topDown, "", bothRows},
    };
    for (const auto& [path, bytes, warning, rgb] : cases) {
        SCOPED_TRACE(path);
        dir.writeFile(path, bytes);
        Image image;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(readBmp(path, image));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), warning);
        EXPECT_EQ(image.width, 2u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.data.get()), image.width * image.height * 3), rgb);
    }
}

TEST(BmpTest, WriterProducesTheHeaderAndRoundTripsByteExact) {
    TempWorkDir dir;
    const std::string twoByOne = header(2, 1) + twoByOnePixels;
    // The header is the canonical one: "BM", file size 60, pixels at 54,
    // a 40-byte information header, 1 plane, 24 bits, zeros; then B, G, R.
    unsigned char rgb[] = {3, 2, 1, 6, 5, 4};
    ASSERT_TRUE(writeBmp("written.bmp", 2, 1, rgb));
    EXPECT_EQ(readFile("written.bmp"), twoByOne);

    // Read and written back unchanged, also for a width of 3 whose rows are
    // packed (9 bytes, no padding).
    const std::string threeByTwo = header(3, 2) + "abcdefghijklmnopqr";
    for (const std::string& original : {twoByOne, threeByTwo}) {
        dir.writeFile("original.bmp", original);
        Image image;
        ASSERT_TRUE(readBmp("original.bmp", image));
        ASSERT_TRUE(writeBmp("copy.bmp", image));
        EXPECT_EQ(readFile("copy.bmp"), original);
    }
}

// A header cut short is refused as such, not for fields read past its end;
// a size that overflows 32 bits, or one the file does not hold (30000 x
// 30000 x 3 fits but would be 2.7 GB), is refused without allocating it.
TEST(BmpTest, RefusesBadHeadersAndSizesWithOneLine) {
    TempWorkDir dir;
    const std::string pixels(12, '\x7f');
    const std::string cut = "Error reading image data from ";
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"planes0.bmp", header(2, 2, 0) + pixels, "Planes from planes0.bmp is not 1: 0\n"},
        {"bpp32.bmp", header(2, 2, 1, 32) + pixels, "Bpp from bpp32.bmp is not 24: 32\n"},
        {"bpp8.bmp", header(2, 2, 1, 8) + pixels, "Bpp from bpp8.bmp is not 24: 8\n"},
        {"core.bmp", header(2, 2).substr(0, 14) + le32(12) + le16(2) + le16(2) + le16(1) + le16(24) + pixels,
         "core.bmp has a 12-byte header, which this game does not read; save it as a 24-bit BMP with a 40-byte header\n"},
        {"huge.bmp", header(65536, 65536) + "tiny", "Image size of huge.bmp is too large: 65536 x 65536\n"},
        {"claims.bmp", header(30000, 30000) + "tiny", cut + "claims.bmp.\n"},
        {"width0.bmp", header(0, 2) + pixels, cut + "width0.bmp.\n"},
        {"height0.bmp", header(2, 0) + pixels, cut + "height0.bmp.\n"},
        {"short.bmp", header(2, 2) + pixels.substr(1), cut + "short.bmp.\n"},
        {"headeronly.bmp", header(2, 2).substr(0, 30), cut + "headeronly.bmp.\n"},
        {"cut27.bmp", header(2, 2).substr(0, 27), cut + "cut27.bmp.\n"},
        {"empty.bmp", "", cut + "empty.bmp.\n"},
    };
    for (const auto& [path, bytes, message] : cases) {
        dir.writeFile(path, bytes);
        EXPECT_EQ(refusalOf(path), message);
    }
}

TEST(BmpTest, ReportsFilesThatCannotBeOpened) {
    TempWorkDir dir;
    EXPECT_EQ(refusalOf("./textures/Missing.bmp"), "File Not Found : ./textures/Missing.bmp\n");

    unsigned char rgb[] = {1, 2, 3};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(writeBmp("no/such/folder/out.bmp", 1, 1, rgb));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Could not open file for writing : no/such/folder/out.bmp\n");
}
