#include "support/TempWorkDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

TempWorkDir::TempWorkDir() {
    char pattern[] = "/tmp/brellow-test-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::create_directory(path_ + "/textures");
    std::filesystem::create_directory(path_ + "/models");
    previous_ = std::filesystem::current_path().string();
    std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempWorkDir::writeFile(const std::string& relativePath, const std::string& bytes) const {
    std::ofstream out(path_ + "/" + relativePath, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
