#pragma once
// Escape and 'q' (lower case only) leave a game and choose Exit on the menu.
constexpr unsigned char escapeKey = 27;

constexpr bool isQuitKey(unsigned char key) { return key == escapeKey || key == 'q'; }
