// brellow-window-icon FILE: writes the desktop icon, at the sizes the
// window offers, as a C++ source of the platform library (the array that
// src/platform/WindowIcon.h declares). The same bytes on every run.
#include <cstdint>
#include <cstdio>

#include "assets/Icon.h"

namespace {

// A title bar shows a window's icon at 16 to 32 pixels and a task switcher
// at 64 to 128; window managers scale from the nearest size offered. The
// two cost the programs 75 kB; the 256-pixel one would add 256 kB more.
constexpr int kWindowIconSizes[] = {48, 128};
constexpr int kValuesPerLine = 8;

// The icon's pixels as the property holds them: width, height, 0xAARRGGBB.
void writeIcon(std::FILE* out, const RgbaPicture& icon) {
    std::fprintf(out, "    %d, %d,", icon.width, icon.height);
    for (size_t i = 0; i < icon.rgba.size() / 4; ++i) {
        const unsigned char* pixel = &icon.rgba[i * 4];
        const uint32_t argb = uint32_t{pixel[3]} << 24 | uint32_t{pixel[0]} << 16 | uint32_t{pixel[1]} << 8 | pixel[2];
        std::fprintf(out, "%s0x%08x,", i % kValuesPerLine == 0 ? "\n    " : " ", static_cast<unsigned>(argb));
    }
    std::fprintf(out, "\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Written by brellow-window-icon from the desktop icon's painting.\n"
                      "#include \"platform/WindowIcon.h\"\n\n"
                      "const uint32_t windowIconCardinals[] = {\n");
    for (int size : kWindowIconSizes) writeIcon(out, paintIcon(size));
    std::fprintf(out, "};\nconst size_t windowIconCardinalCount = sizeof windowIconCardinals / sizeof *windowIconCardinals;\n");
    // A file written in part would be compiled as it is; none is left.
    const bool failed = std::ferror(out) != 0;
    if (std::fclose(out) != 0 || failed) {
        std::perror(argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
