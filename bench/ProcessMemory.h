#pragma once
// This process's memory as the kernel and the C library see it.
#include <cstdint>

int64_t residentKb();      // VmRSS from /proc/self/status; 0 if unreadable
int64_t peakResidentKb();  // VmHWM, the peak of VmRSS so far
int64_t heapBytesInUse();  // mallinfo2().uordblks: bytes handed out by malloc, all arenas
