#pragma once
// How many of each thing a game's scene holds.
constexpr int treeCount = 36;
constexpr int orbCount = 24;
constexpr int headlightCount = 2;
