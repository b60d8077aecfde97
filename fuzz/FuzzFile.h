#pragma once
// Both readers take a file, not bytes: each fuzz input is written to a file
// in a private scratch folder first.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// A private folder under /tmp, made once per fuzzing process and entered, so
// that relative paths such as "models/x.obj" land in it.
inline const std::string& fuzzScratchDir() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/brellow-fuzz-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        std::string path = pattern;
        if (chdir(path.c_str()) != 0) std::abort();
        return path;
    }();
    return dir;
}

// Replaces path's contents with the input bytes.
inline void writeFuzzInput(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, size, 1, file) != 1) std::abort();
    std::fclose(file);
}
