// The real brellow-assets on a disk that fills up: a file that cannot be
// written in full must end the run, not be reported as written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "support/GameProcess.h"
#include "support/Programs.h"

namespace {

namespace fs = std::filesystem;

TEST(AssetTool, AFileThatCannotBeWrittenEndsTheRunAndIsRemoved) {
    // Each file in turn sits on a full device (a link to /dev/full); the
    // ones written before it are whole.
    for (const std::string file : {"textures/Grass.bmp", "models/Tree.obj"}) {
        SCOPED_TRACE(file);
        const fs::path dir = fs::temp_directory_path() / ("brellow-full-disk-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "textures");
        fs::create_directories(dir / "models");
        fs::create_symlink("/dev/full", dir / file);

        GameProcess tool({assetToolPath(), dir.string()}, dir.string());
        ASSERT_TRUE(tool.waitForExit(60000));
        EXPECT_EQ(tool.exitStatus(), 1);
        const std::string kind = file.rfind("models/", 0) == 0 ? "model " : "picture ";
        EXPECT_EQ(tool.standardError(), "Could not write " + kind + (dir / file).string() + "\n");
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / file)));
        const std::string output = tool.standardOutput();
        EXPECT_EQ(output.find(file), std::string::npos) << output;
        EXPECT_NE(output.find("textures/Terrain.bmp"), std::string::npos) << output;
        EXPECT_GT(fs::file_size(dir / "textures/Terrain.bmp"), 54u);
        fs::remove_all(dir);
    }
}

}  // namespace
