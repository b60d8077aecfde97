#pragma once
// Closes a stdio stream on every way out of the scope that opened it.
#include <cstdio>

struct FileCloser {
    std::FILE* file;
    ~FileCloser() {
        if (file) std::fclose(file);
    }
};
