#include "base/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdint>

void adviseLargePages(const void* block, size_t bytes) {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t largePage = uintptr_t{2} << 20;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(block) + largePage - 1) & ~(largePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(largePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)block;
    (void)bytes;
#endif
}
