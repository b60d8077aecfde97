#include "ProcessMemory.h"

#include <malloc.h>

#include <cstdio>
#include <cstring>

namespace {

// Reads one "Name:   1234 kB" line. fopen allocates, so the benchmark reads
// memory only between frames, outside the window the heap counts cover.
int64_t statusKb(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    int64_t value = 0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            long long kb = 0;
            if (std::sscanf(line + length + 1, "%lld", &kb) == 1) value = kb;
            break;
        }
    }
    std::fclose(status);
    return value;
}

}  // namespace

int64_t residentKb() { return statusKb("VmRSS"); }
int64_t peakResidentKb() { return statusKb("VmHWM"); }
int64_t heapBytesInUse() { return static_cast<int64_t>(mallinfo2().uordblks); }
