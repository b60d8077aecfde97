#pragma once
// Whole files as bytes, for tests that write, damage and compare them.
#include <string>

// The file's bytes; empty when it cannot be read.
std::string readFile(const std::string& path);
// Writes bytes to path, replacing it; throws when it cannot.
void writeFile(const std::string& path, const std::string& bytes);
