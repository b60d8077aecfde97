#pragma once
// A fresh working directory with textures/ and models/ folders, entered for
// the lifetime of the object, so that code reading "./textures/..." sees only
// the files a test puts there.
#include <string>

class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes bytes to a path relative to the directory.
    void writeFile(const std::string& relativePath, const std::string& bytes) const;

private:
    std::string path_;
    std::string previous_;
};
