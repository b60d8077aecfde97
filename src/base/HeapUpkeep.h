#pragma once
// Keeps the process's resident memory flat over a long game.
//
// The GL libraries allocate and free a few hundred blocks every frame, about
// a hundred of them near 64 KiB (the rasteriser's bins). Left to itself,
// glibc's allocator raises its mmap threshold as large blocks come and go,
// and pages freed in the middle of its heap stay resident. Nothing is lost,
// yet over half an hour resident memory creeps up by about a tenth.

// At start-up: blocks of 128 KiB and more get mappings of their own, which
// go back to the system when they are freed, whatever came before.
void settleHeap();

// Gives the pages freed inside the heap back to the system.
void returnFreedMemory();

// Called by the screen loop after each idle pass with the time since the last
// one: returns freed memory once a second has gathered (true then). Each
// return takes about a millisecond.
bool upkeepHeap(float elapsedMs);
