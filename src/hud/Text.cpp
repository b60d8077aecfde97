#include "hud/Text.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr std::size_t firstBufferSize = 100;  // bytes; most HUD lines fit
}

int formatText(std::vector<char>& buffer, const char* format, va_list args, Formatter formatter) {
    if (buffer.empty()) buffer.resize(firstBufferSize);
    for (;;) {
        // Every attempt formats from the first argument again.
        va_list attempt;
        va_copy(attempt, args);
        const int n = formatter(buffer.data(), buffer.size(), format, attempt);
        va_end(attempt);
        if (n >= 0 && static_cast<std::size_t>(n) < buffer.size()) return n;
        if (n < 0 && buffer.size() >= largestFormattedText) {
            buffer[0] = '\0';
            return -1;
        }
        buffer.resize(n >= 0 ? static_cast<std::size_t>(n) + 1 : std::min(buffer.size() * 2, largestFormattedText));
    }
}

void drawText(int x, int y, void* font, const char* format, ...) {
    glRasterPos2i(x, y);
    va_list args;
    va_start(args, format);
    // The HUD's lines fit the first buffer, which lives on the stack so that
    // a frame allocates nothing; longer texts grow a buffer on the heap.
    char first[firstBufferSize];
    va_list attempt;
    va_copy(attempt, args);
    const int n = std::vsnprintf(first, sizeof first, format, attempt);
    va_end(attempt);
    const char* text = first;
    std::vector<char> grown;
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof first) {
        formatText(grown, format, args);
        text = grown.data();
    }
    va_end(args);
    for (const char* c = text; *c != '\0'; ++c) glutBitmapCharacter(font, static_cast<signed char>(*c));
}
