// Fuzzes readBmp with arbitrary file contents. Beyond crashes and memory
// errors it checks what callers rely on: a successful read delivers a
// non-empty picture whose width x height x 3 bytes can all be read.
#include <cstdlib>
#include <cstring>

#include "FuzzFile.h"
#include "image/Bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = fuzzScratchDir() + "/input.bmp";
    writeFuzzInput(path, data, size);

    Image image;
    const bool ok = readBmp(path.c_str(), image);
    if (!ok) return 0;

    if (image.width == 0 || image.height == 0 || !image.data) std::abort();
    const uint64_t bytes = uint64_t{image.width} * image.height * 3;
    if (bytes > size) std::abort();  // more pixels than the file held
    // Touch every byte: AddressSanitizer reports a block shorter than promised.
    unsigned sum = 0;
    for (uint64_t i = 0; i < bytes; ++i) sum += image.data[i];
    volatile unsigned keep = sum;
    (void)keep;
    return 0;
}
