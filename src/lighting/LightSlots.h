#pragma once
// The process-wide table of the eight fixed-function GL lights. A slot is
// taken by one Light object from its construction to its destruction; the
// table lives for the whole process and has no lock (one thread).

constexpr int lightSlotCount = 8;  // GL_LIGHT0 ... GL_LIGHT7

// Takes the lowest free slot and returns its index; -1 when all are taken.
int allocateLightSlot();

// Gives a slot back so that the next light can take it. Out-of-range
// indices (such as -1) are ignored.
void freeLightSlot(int slot);

// Whether a light object holds the slot.
bool isLightSlotTaken(int slot);

// Number of slots no light holds; 8 when no light exists.
int freeLightSlotCount();
