#pragma once
// A test's own models/ folder and a Model loaded from OBJ text written there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/Model.h"
#include "support/TempWorkDir.h"

class ModelFileTest : public testing::Test {
protected:
    // Writes models/<name> and loads it into model; the load must succeed.
    void load(const std::string& text, const std::string& name = "test.obj") {
        dir.writeFile("models/" + name, text);
        ASSERT_TRUE(model.load(name));
        ASSERT_TRUE(model.isLoaded());
    }

    // Loads text while catching standard error; returns what was written.
    std::string loadCapturingErrors(const std::string& text, const std::string& name = "bad.obj") {
        dir.writeFile("models/" + name, text);
        testing::internal::CaptureStderr();
        bool ok = model.load(name);
        std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(ok);
        return errors;
    }

    std::vector<int> vertexIndices(int face) const {
        const Face& f = model.getFaces().at(face);
        return {f.vertexIndex[0], f.vertexIndex[1], f.vertexIndex[2]};
    }

    TempWorkDir dir;
    Model model;
};

inline const char* const triangleVertices = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
