// Formatted bitmap text: the growing buffer and texts drawn whole, counted
// by how far the raster position moved.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdarg>
#include <string>
#include <vector>

#include "hud/Text.h"
#include "support/GlStateGuard.h"

namespace {

int format(std::vector<char>& buffer, Formatter formatter, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const int n = formatText(buffer, fmt, args, formatter);
    va_end(args);
    return n;
}

// A formatter that reports only failure, as some C libraries do: it still
// writes as much as fits.
int failingFormatter(char* out, std::size_t size, const char* fmt, va_list args) {
    std::vsnprintf(out, size, fmt, args);
    return -1;
}

std::string lettersOfLength(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += static_cast<char>('A' + i % 26 + (i % 3 == 0 ? 32 : 0));
    return text;
}

int widthOf(void* font, const std::string& text) {
    int width = 0;
    for (char c : text) width += glutBitmapWidth(font, static_cast<unsigned char>(c));
    return width;
}

// Saves the state a text draw touches and sets window-pixel coordinates,
// unlit and untextured as the HUD draws.
class TextTest : public GlTest {
protected:
    void SetUp() override {
        useOrthoView(0, 1024, 0, 768, -1, 1);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D}) glDisable(cap);
    }

    static float rasterX() {
        GLfloat position[4] = {};
        glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
        return position[0];
    }
};

}  // namespace

TEST(TextFormat, BufferGrowsUntilTheTextFits) {
    // 99 characters fit the first 100 bytes; 100 fill them without room for
    // the terminator, so the buffer grows to the length plus one.
    for (auto [length, bufferSize] : {std::pair<int, std::size_t>{0, 100}, {99, 100}, {100, 101}, {250, 251}}) {
        const std::string text = lettersOfLength(length);
        std::vector<char> buffer;
        EXPECT_EQ(format(buffer, std::vsnprintf, "%s", text.c_str()), length);
        EXPECT_EQ(buffer.size(), bufferSize) << length;
        EXPECT_EQ(std::string(buffer.data()), text);
    }
    // Formatting again starts from the first argument.
    const std::string long250 = lettersOfLength(250);
    std::vector<char> buffer;
    format(buffer, std::vsnprintf, "%s|%d|%s", long250.c_str(), -15, "end");
    EXPECT_EQ(std::string(buffer.data()), long250 + "|-15|end");

    // With a formatter that reports only failure the buffer doubles, and
    // gives up at its largest size instead of growing without end.
    std::vector<char> doubled;
    EXPECT_EQ(format(doubled, failingFormatter, "%s", long250.c_str()), -1);
    EXPECT_EQ(doubled.size(), largestFormattedText);
    EXPECT_EQ(std::string(doubled.data()), "");
}

TEST_F(TextTest, TextsOfAnyLengthAreDrawnWholeSkippingBytesAbove127) {
    void* font = GLUT_BITMAP_HELVETICA_18;
    for (int length : {1, 99, 100, 250}) {
        const std::string text = lettersOfLength(length);
        drawText(20, 100, font, "%s", text.c_str());
        EXPECT_FLOAT_EQ(rasterX(), 20.0f + widthOf(font, text)) << length;
    }
    // Arguments after a long text survive the second formatting.
    const std::string long250 = lettersOfLength(250);
    drawText(0, 100, font, "%s %d", long250.c_str(), 4096);
    EXPECT_FLOAT_EQ(rasterX(), static_cast<float>(widthOf(font, long250 + " 4096")));
    // Bytes above 127 are skipped.
    drawText(30, 100, font, "a\xe9" "b");
    EXPECT_FLOAT_EQ(rasterX(), 30.0f + widthOf(font, "ab"));
}
