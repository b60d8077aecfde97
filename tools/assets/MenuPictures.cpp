#include "MenuPictures.h"

#include <cmath>

#include "Noise.h"
#include "PixelFont.h"
#include "Random.h"
#include "platform/GameWindow.h"

namespace {

constexpr int kLabelScale = 4;   // 20 x 28 pixel letters
constexpr int kTitleScale = 6;
constexpr int kBevel = 3;        // pixels of light and dark edge around a button

struct ButtonColours {
    Rgb top, bottom;       // face gradient
    Rgb light, dark;       // bevel
    Rgb text, textShadow;
};

// Plain: dark olive with pale letters. Highlighted: bright amber with dark letters.
const ButtonColours kPlain{{70, 88, 60}, {40, 52, 34}, {120, 138, 104},
                           {18, 24, 16}, {232, 230, 206}, {14, 18, 12}};
const ButtonColours kSelected{{255, 206, 82}, {214, 138, 24}, {255, 244, 190},
                              {120, 70, 10}, {40, 24, 6}, {255, 236, 170}};

// Height of a range of hills at column x: a few long sine waves.
double hillLine(int x, double base, double amplitude, double phase) {
    return base + amplitude * (0.55 * std::sin(x / 97.0 + phase) + 0.3 * std::sin(x / 41.0 + 2 * phase) +
                               0.15 * std::sin(x / 17.0 + 3 * phase));
}

void paintSky(Canvas& canvas) {
    const Rgb high{12, 20, 54}, low{92, 104, 160}, glow{236, 156, 92};
    for (int y = 0; y < windowHeight; ++y) {
        double t = static_cast<double>(y) / windowHeight;
        Rgb colour = t > 0.45 ? mix(low, high, (t - 0.45) / 0.55) : mix(glow, low, (t - 0.2) / 0.25);
        canvas.fillRect(0, y, windowWidth, y + 1, colour);
    }
    Random random(1977u);
    for (int i = 0; i < 140; ++i) {
        int x = static_cast<int>(random.range(0, windowWidth));
        int y = static_cast<int>(random.range(430, windowHeight));
        canvas.blend(x, y, Rgb{255, 255, 240}, random.range(0.3, 1.0));
    }
}

void paintHills(Canvas& canvas, double base, double amplitude, double phase, Rgb colour) {
    for (int x = 0; x < windowWidth; ++x) {
        int top = static_cast<int>(hillLine(x, base, amplitude, phase));
        for (int y = 0; y < top; ++y)
            canvas.set(x, y, scaled(colour, 0.9 + 0.2 * valueNoise(x / 6.0, y / 6.0, 0, 5u)));
    }
}

// A fir tree silhouette standing on the ground at (x, ground).
void paintTree(Canvas& canvas, int x, int ground, int height, Rgb colour) {
    int trunk = height / 6;
    canvas.fillRect(x - height / 20, ground, x + height / 20 + 1, ground + trunk, colour);
    for (int y = 0; y < height - trunk; ++y) {
        int halfWidth = (height - trunk - y) * height / (3 * (height - trunk)) + 1;
        canvas.fillRect(x - halfWidth, ground + trunk + y, x + halfWidth + 1, ground + trunk + y + 1, colour);
    }
}

void paintTitle(Canvas& canvas) {
    const std::string title = "BRELLOW 4";
    int left = (windowWidth - textWidth(title, kTitleScale)) / 2;
    int bottom = windowHeight - 54;
    drawText(canvas, title, left + 4, bottom - 4, kTitleScale, Rgb{8, 10, 24});
    drawText(canvas, title, left, bottom, kTitleScale, Rgb{244, 222, 150});
}

}  // namespace

const std::vector<MenuButtonLayout>& menuButtons() {
    // Widths are multiples of 4 and centre every button within a few pixels of x = 516.
    static const std::vector<MenuButtonLayout> buttons = {
        {menuButtonPlaces[NewGame], "NEW GAME", 256, 64},
        {menuButtonPlaces[ResumeGame], "RESUME GAME", 340, 64},
        {menuButtonPlaces[Exit], "EXIT", 120, 64},
    };
    return buttons;
}

std::string menuButtonFileName(const MenuButtonLayout& button, bool selected) {
    return selected ? button.place.selectedPicture : button.place.normalPicture;
}

Canvas makeMenuBackground() {
    Canvas canvas(windowWidth, windowHeight);
    paintSky(canvas);
    paintHills(canvas, 250, 45, 0.7, Rgb{58, 64, 96});
    paintHills(canvas, 180, 40, 2.1, Rgb{34, 58, 44});
    Random random(2024u);
    for (int i = 0; i < 18; ++i) {
        int x = static_cast<int>(random.range(0, windowWidth));
        paintTree(canvas, x, static_cast<int>(hillLine(x, 180, 40, 2.1)) - 4,
                  static_cast<int>(random.range(30, 60)), Rgb{22, 38, 28});
    }
    paintHills(canvas, 95, 30, 4.0, Rgb{20, 34, 22});
    paintTitle(canvas);
    return canvas;
}

Canvas makeMenuButton(const MenuButtonLayout& button, bool selected) {
    const ButtonColours& colours = selected ? kSelected : kPlain;
    const int w = button.width, h = button.height;
    Canvas canvas(w, h);
    for (int y = 0; y < h; ++y)
        canvas.fillRect(0, y, w, y + 1, mix(colours.bottom, colours.top, static_cast<double>(y) / (h - 1)));
    // Light from the upper left: bright top and left edges, dark bottom and right.
    for (int i = 0; i < kBevel; ++i) {
        canvas.fillRect(i, h - 1 - i, w - i, h - i, colours.light);
        canvas.fillRect(i, i, i + 1, h - i, colours.light);
        canvas.fillRect(i, i, w - i, i + 1, colours.dark);
        canvas.fillRect(w - 1 - i, i, w - i, h - i, colours.dark);
    }
    int left = (w - textWidth(button.label, kLabelScale)) / 2;
    int bottom = (h - kGlyphHeight * kLabelScale) / 2;
    drawText(canvas, button.label, left + 2, bottom - 2, kLabelScale, colours.textShadow);
    drawText(canvas, button.label, left, bottom, kLabelScale, colours.text);
    return canvas;
}
