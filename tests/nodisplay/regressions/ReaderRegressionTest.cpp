// Kept hostile inputs for the two file readers: every file in bmp/ and obj/
// beside this test (inputs found by scripts/fuzz.sh go there once fixed).
// Each must be read without a memory error (the sanitizer build runs this
// too) and leave what the callers rely on: a picture is either refused
// (files named refused-*) or holds all of its width x height x 3 bytes, and
// every face a model keeps can be drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <vector>

#include "image/Bmp.h"
#include "scene/Model.h"
#include "support/TempWorkDir.h"

namespace {

namespace fs = std::filesystem;

const fs::path keptInputs = fs::path(__FILE__).parent_path();

std::vector<fs::path> filesIn(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(keptInputs / folder)) files.push_back(entry.path());
    return files;
}

bool inRange(int index, size_t count) { return index >= 1 && static_cast<size_t>(index) <= count; }

TEST(ReaderRegressions, KeptPicturesAreRefusedWithOneLineOrReadWhole) {
    const std::vector<fs::path> files = filesIn("bmp");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const bool refused = file.filename().string().rfind("refused-", 0) == 0;
        Image image;
        testing::internal::CaptureStdout();
        const bool ok = readBmp(file.c_str(), image);
        const std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(ok, !refused);
        if (!ok) {
            EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << printed;
            continue;
        }
        const uint64_t bytes = uint64_t{image.width} * image.height * 3;
        EXPECT_GT(bytes, 0u);
        EXPECT_LE(bytes + 54, fs::file_size(file));
        // Reads every byte, so the sanitizer build catches a block shorter
        // than the size promises.
        volatile unsigned sum = 0;
        for (uint64_t i = 0; i < bytes; ++i) sum = sum + image.data[i];
    }
}

TEST(ReaderRegressions, KeptModelsLoadAndKeepOnlyFacesThatCanBeDrawn) {
    // Triangles each file keeps (a polygon gives a fan of them); bad faces
    // are skipped with a warning.
    const std::map<std::string, int> keptFaces = {
        {"faces-in-the-wrong-form.obj", 4},  // all but the two-corner face
        {"huge-negative-and-zero-indices.obj", 2},
        {"mixed-forms-after-the-files-normals.obj", 4},  // the last adds a flat normal
        {"nul-bytes-and-long-lines.obj", 1 + 124},
    };
    TempWorkDir dir;
    const std::vector<fs::path> files = filesIn("obj");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        fs::copy_file(file, fs::path("models") / name);
        Model model;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(model.load(name));
        testing::internal::GetCapturedStderr();

        const size_t vertices = model.getVertices().size(), texCoords = model.getTexCoords().size(),
                     normals = model.getNormals().size();
        for (const Face& face : model.getFaces())
            for (int c = 0; c < 3; ++c) {
                EXPECT_TRUE(inRange(face.vertexIndex[c], vertices));
                EXPECT_TRUE(inRange(face.texCoordIndex[c], texCoords));
                EXPECT_TRUE(inRange(face.normalIndex[c], normals));
            }
        if (auto kept = keptFaces.find(name); kept != keptFaces.end()) {
            EXPECT_EQ(model.getFaceCount(), kept->second);
        }
    }
}

}  // namespace
