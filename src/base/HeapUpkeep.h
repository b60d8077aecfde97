#pragma once
// Keeps the process's resident memory flat over a long game, without making
// a frame fault its memory back in.
//
// The GL libraries allocate and free a few hundred blocks every frame: the
// rasteriser's bins, about 64 KiB each, and blocks of several MiB for the
// vertices of a draw. Left to itself, glibc's allocator moves its mmap and
// trim thresholds as large blocks come and go, and pages freed in the middle
// of its heap stay resident: over half an hour resident memory crept up by
// about a tenth. Giving every freed page back each second kept it flat, but
// the next frame then faulted them all in again: on a 1024-point map in the
// driver's seat that frame's terrain took 60 to 90 ms instead of 25.

// At start-up: fixed thresholds, so that a frame's blocks, up to 32 MiB, are
// carved from the heap and reused in place frame after frame, and the top of
// the heap is given back only past 64 MiB. Larger blocks (whole grids) get
// mappings of their own, which go back to the system when they are freed.
void settleHeap();

// Gives the pages freed inside the heap back to the system.
void returnFreedMemory();

// Called by the screen loop after each idle pass with the time since the last
// one: once a second has gathered it looks at the heap (true then), and gives
// freed memory back only when more than 256 MiB of it lies idle, far more
// than a frame reuses.
bool upkeepHeap(float elapsedMs);
