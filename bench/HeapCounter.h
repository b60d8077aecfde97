#pragma once
// Counts heap allocations made by the whole process. HeapCounter.cpp replaces
// the global operator new / delete and interposes malloc, calloc and realloc
// (forwarding to glibc's own), so it must be linked into the benchmark
// program only. Each call is sorted by the code that made it: the program
// itself (the game, linked in statically), the C++ standard library (where
// std::string's out-of-line members live, for the game and the driver
// alike), or any other shared library (the GL driver and its shader compiler,
// X). Aligned allocations (posix_memalign, aligned_alloc) are not counted.
#include <cstdint>

struct HeapCallCounts {
    int64_t fromProgram = 0;         // game thread, called from the program's own code
    int64_t fromCppLibrary = 0;      // game thread, called from libstdc++
    int64_t fromLibraries = 0;       // game thread, called from other shared libraries
    int64_t otherThreads = 0;        // the GL driver's worker threads, and calls before counting began
};

// Makes the calling thread the game thread of the counts and finds the C++
// library's code.
void startHeapCounting();

HeapCallCounts heapCallCounts();  // totals since the program started
