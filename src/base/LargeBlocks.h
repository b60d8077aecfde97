#pragma once
// Large arrays that are written in full as soon as they are made: the
// terrain's grids. Each 4 KiB page of a fresh block costs a fault on its
// first write, and for a grid of millions of points those faults take longer
// than the writing itself; 2 MiB pages, where the system offers them for the
// asking, take a 512th as many. A block written only here and there (the
// shadow grid) is better without them: each page written becomes resident.
#include <cstddef>
#include <vector>

// Asks for large pages for the whole 2 MiB stretches of a block not yet
// written; a no-op where the system has none to give.
void adviseLargePages(const void* block, size_t bytes);

// Reserves room for count elements in an empty vector, asking for large pages.
template <typename T>
void reserveLarge(std::vector<T>& values, size_t count) {
    values.reserve(count);
    adviseLargePages(values.data(), count * sizeof(T));
}
