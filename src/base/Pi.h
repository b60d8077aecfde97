#pragma once
// The one value of pi for the whole game: angles, the sun's path, the sky's
// texture coordinates and the terrain's tilt all use it.
constexpr double pi = 3.14159265358979323846;
