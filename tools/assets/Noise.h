#pragma once
// Smooth value noise on an integer lattice. Lattice values come from a hash of
// the cell and a seed, so the noise needs no state and is the same on every
// run. Noise that wraps (period > 0) tiles seamlessly, which textures need.
#include <cstdint>

// A value in [0, 1] for lattice point (x, y).
double latticeValue(int x, int y, uint32_t seed);

// Smoothly interpolated noise in [0, 1]; one lattice cell per unit of x and y.
// With period > 0 the lattice wraps every period cells in both directions.
double valueNoise(double x, double y, int period, uint32_t seed);

// Sum of octaves of valueNoise, each twice the frequency and half the weight
// of the one before, scaled back into [0, 1]. period applies to the first
// octave and doubles with each following one.
double fractalNoise(double x, double y, int octaves, int period, uint32_t seed);
