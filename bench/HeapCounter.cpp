#include "HeapCounter.h"

#include <link.h>
#include <pthread.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

// glibc's allocator under its own names, so the counting versions below can
// forward to it; the linker's marks around the program's own code.
extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
extern const char __executable_start[];
extern const char etext[];
}

namespace {

std::atomic<int64_t> programCalls{0};
std::atomic<int64_t> cppLibraryCalls{0};
std::atomic<int64_t> libraryCalls{0};
std::atomic<int64_t> otherThreadCalls{0};
std::atomic<bool> counting{false};
pthread_t gameThread;
uintptr_t cppCodeStart = 0;  // executable segment of libstdc++
uintptr_t cppCodeEnd = 0;

int findCppLibrary(dl_phdr_info* info, size_t, void*) {
    if (!info->dlpi_name || !std::strstr(info->dlpi_name, "libstdc++")) return 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X)) {
            cppCodeStart = info->dlpi_addr + segment.p_vaddr;
            cppCodeEnd = cppCodeStart + segment.p_memsz;
        }
    }
    return 1;
}

void countCall(const void* caller) {
    const auto address = reinterpret_cast<uintptr_t>(caller);
    if (!counting.load(std::memory_order_relaxed) || !pthread_equal(pthread_self(), gameThread)) {
        otherThreadCalls.fetch_add(1, std::memory_order_relaxed);
    } else if (address >= reinterpret_cast<uintptr_t>(__executable_start) &&
               address < reinterpret_cast<uintptr_t>(etext)) {
        programCalls.fetch_add(1, std::memory_order_relaxed);
    } else if (address >= cppCodeStart && address < cppCodeEnd) {
        cppLibraryCalls.fetch_add(1, std::memory_order_relaxed);
    } else {
        libraryCalls.fetch_add(1, std::memory_order_relaxed);
    }
}

void* allocate(size_t size) { return __libc_malloc(size ? size : 1); }

}  // namespace

void startHeapCounting() {
    dl_iterate_phdr(findCppLibrary, nullptr);
    gameThread = pthread_self();
    counting.store(true);
}

HeapCallCounts heapCallCounts() {
    return {programCalls.load(), cppLibraryCalls.load(), libraryCalls.load(), otherThreadCalls.load()};
}

// AddressSanitizer brings an allocator of its own, which glibc's under these
// names would bypass: a sanitizer build of the benchmark counts nothing.
#ifndef __SANITIZE_ADDRESS__

// Each entry point counts its own caller, so none may be inlined into another.
extern "C" {
__attribute__((noinline)) void* malloc(size_t size) {
    countCall(__builtin_return_address(0));
    return __libc_malloc(size);
}
__attribute__((noinline)) void* calloc(size_t count, size_t size) {
    countCall(__builtin_return_address(0));
    return __libc_calloc(count, size);
}
__attribute__((noinline)) void* realloc(void* block, size_t size) {
    countCall(__builtin_return_address(0));
    return __libc_realloc(block, size);
}
}

__attribute__((noinline)) void* operator new(size_t size) {
    countCall(__builtin_return_address(0));
    if (void* block = allocate(size)) return block;
    throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new[](size_t size) {
    countCall(__builtin_return_address(0));
    if (void* block = allocate(size)) return block;
    throw std::bad_alloc();
}
__attribute__((noinline)) void* operator new(size_t size, const std::nothrow_t&) noexcept {
    countCall(__builtin_return_address(0));
    return allocate(size);
}
__attribute__((noinline)) void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    countCall(__builtin_return_address(0));
    return allocate(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }
void operator delete[](void* block, size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

#endif  // __SANITIZE_ADDRESS__
