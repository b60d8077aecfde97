#pragma once
// An RGB picture being painted. Pixel (x, y) counts x from the left and y from
// the first row of the file's pixel block, which is the bottom row of the
// picture as image viewers show it and texture row t = 0 in the game.
#include <string>
#include <vector>

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
};

// a at t = 0, b at t = 1; t is clamped to [0, 1].
Rgb mix(Rgb a, Rgb b, double t);
// Every channel times factor, clamped to [0, 255].
Rgb scaled(Rgb colour, double factor);

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }

    // Out-of-range reads give black; out-of-range writes are dropped, so shapes
    // may run over the border.
    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb colour);
    // Moves pixel (x, y) towards colour by amount (0 keeps it, 1 replaces it).
    void blend(int x, int y, Rgb colour, double amount);
    // Fills the pixels with left <= x < right and bottom <= y < top.
    void fillRect(int left, int bottom, int right, int top, Rgb colour);

    // Writes the picture as a BMP file; false (with the writer's message) on failure.
    bool save(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<unsigned char> pixels_;  // R, G, B per pixel, rows in file order
};
