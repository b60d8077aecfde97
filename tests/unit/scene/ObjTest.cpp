// Drawing Models read from OBJ files in the real GL context. Files are
// written into a temporary models/ folder.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/ModelFileTest.h"
#include "support/GlStateGuard.h"
#include "support/GlStateSnapshot.h"
#include "support/WindowReadBack.h"

namespace {

class ObjFile : public ModelFileTest {
protected:
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

TEST_F(ObjFile, AnEmptyFileLoadsAndDrawsNothingAMissingOneFails) {
    EXPECT_FALSE(model.load("nothere.obj"));
    EXPECT_FALSE(model.isLoaded());
    EXPECT_EQ(model.getVertexCount(), 0);
    load("");
    EXPECT_EQ(std::tuple(model.getVertexCount(), model.getFaceCount(), model.boundingRadius()), std::tuple(0, 0, 0.0f));
    model.draw();
}

// One warning for all a file's bad faces, naming the first; the good face
// between them is kept and drawn.
TEST_F(ObjFile, BadFacesAreSkippedWithOneWarning) {
    const std::pair<const char*, const char*> cases[] = {
        // The file has "vt" lines and no "vn" lines.
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n"
         "f 1/1/1 2/1/1 3/1/1\n"  // line 5: normal 1 of none
         "f 1/1 2/1 3/1\n"        // line 6: good
         "f 1/1 2/1\n"            // line 7: two corners
         "f 1/1 2//1 3/1\n"       // line 8: corners in different forms
         "f\n"                    // line 9: nothing
         "fx 1/1 2/1 3/1\n",      // line 10: a face line by its first character
         "Skipping 5 bad faces in models/bad.obj, the first at line 5\n"},
        // Indices outside their sequence.
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
         "f 1/1/1 2/1/1 4/1/1\n"            // line 6: vertex 4 of 3
         "f 0/1/1 2/1/1 3/1/1\n"            // line 7: vertex 0
         "f -4/1/1 2/1/1 3/1/1\n"           // line 8: back past the first vertex
         "f 1/2/1 2/1/1 3/1/1\n"            // line 9: texture 2 of 1
         "f 1/1/1 2/1/1 3/1/2\n"            // line 10: normal 2 of 1
         "f 1/1/1 2/1/1 99999999999/1/1\n"  // line 11: beyond any int
         "f 1/1/1 2/1/1 3/1/1\n",           // line 12: good
         "Skipping 6 bad faces in models/bad.obj, the first at line 6\n"},
    };
    for (const auto& [text, warning] : cases) {
        EXPECT_EQ(loadCapturingErrors(text), warning);
        ASSERT_EQ(model.getFaceCount(), 1);
        EXPECT_EQ(vertexIndices(0), (std::vector<int>{1, 2, 3}));
        model.draw();
    }
}

// Drawing fixture: an identity projection, so vertex x and y are the
// window's -1..1 range, on a black back buffer; GL state is restored after.
class ModelDrawing : public ObjFile {
protected:
    void SetUp() override {
        useOrthoView(-1, 1, -1, 1, 1, -1);  // the identity
        for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_CULL_FACE}) glDisable(cap);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }

    // Red channel of the back buffer at the point (x, y) of the -1..1 range.
    static int redAt(float x, float y) {
        return readPixel(static_cast<int>((x + 1) * 512), static_cast<int>((y + 1) * 384)).r;
    }

    GlStateGuard guard;
};

const char* const square = "v -0.9 -0.9 0\nv 0.9 -0.9 0\nv 0.9 0.9 0\nv -0.9 0.9 0\n";

// A six-sided prism as modelling tools export it, with quad sides and
// hexagon caps, draws exactly as the same prism exported as triangles.
std::string hexagonalPrism(bool asTriangles) {
    std::ostringstream obj;
    for (float y : {-0.5f, 0.5f})  // bottom ring 1..6, top ring 7..12
        for (int i = 0; i < 6; ++i)
            obj << "v " << 0.6 * std::cos(i * M_PI / 3) << " " << y << " " << 0.6 * std::sin(i * M_PI / 3) << "\n";
    for (int i = 0; i < 6; ++i)
        obj << "vn " << std::cos((i + 0.5) * M_PI / 3) << " 0 " << std::sin((i + 0.5) * M_PI / 3) << "\n";
    obj << "vn 0 1 0\nvn 0 -1 0\n";
    auto face = [&](std::vector<int> corners, int normal) {
        for (size_t c = 2; c < corners.size(); c += asTriangles ? 1 : corners.size()) {
            const std::vector<int> drawn =
                asTriangles ? std::vector<int>{corners[0], corners[c - 1], corners[c]} : corners;
            obj << "f";
            for (int corner : drawn) obj << " " << corner << "//" << normal;
            obj << "\n";
        }
    };
    for (int i = 0; i < 6; ++i) face({1 + i, 1 + (i + 1) % 6, 7 + (i + 1) % 6, 7 + i}, 1 + i);
    face({7, 8, 9, 10, 11, 12}, 7);
    face({6, 5, 4, 3, 2, 1}, 8);
    return obj.str();
}

TEST_F(ModelDrawing, PolygonsDrawWholeAsTheSameShapeExportedAsTriangles) {
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST}) glEnable(cap);
    glMatrixMode(GL_MODELVIEW);
    glRotatef(25, 1, 0, 0);
    glRotatef(20, 0, 1, 0);
    std::vector<unsigned char> pictures[2];
    for (bool asTriangles : {false, true}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        load(hexagonalPrism(asTriangles));
        model.draw();
        pictures[asTriangles] = readWindow();
    }
    size_t differing = 0, drawn = 0;
    for (size_t i = 0; i < pictures[0].size(); i += 3) {
        differing += !std::equal(&pictures[0][i], &pictures[0][i + 3], &pictures[1][i]);
        drawn += pictures[1][i] + pictures[1][i + 1] + pictures[1][i + 2] > 0;
    }
    EXPECT_EQ(differing, 0u) << "of " << drawn << " pixels drawn";
    EXPECT_GT(drawn, 50000u);
}

TEST_F(ModelDrawing, EachCornerTakesTheNormalItsFaceNames) {
    // Light from the viewer: the triangle whose corners name the normal
    // facing the viewer is lit, the one naming the normal facing away is not.
    // Without "vn" lines, the counter-clockwise one, whatever normal was current.
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0}) glEnable(cap);
    const GLfloat towardsViewer[4] = {0, 0, 1, 0}, white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    for (const char* faces : {"vn 0 0 -1\nvn 0 0 1\nf 1//2 2//2 3//2\nf 1//1 3//1 4//1\n", "f 1 2 3\nf 1 4 3\n"}) {
        load(std::string(square) + faces);
        const auto drawnAfter = [&](float z) { glNormal3f(0, 0, z), model.draw(); return readWindow(); };
        EXPECT_TRUE(drawnAfter(1) == drawnAfter(-1)) << faces;
        EXPECT_EQ(std::pair(redAt(0.2f, -0.6f) > 150, redAt(-0.6f, 0.2f) < 40), std::pair(true, true)) << faces;
    }
}

TEST_F(ModelDrawing, TextureCoordinatesAndNormalsFollowTheCornersInOrder) {
    load(std::string(square) + "vt 0.1 0.2\nvt 0.3 0.4\nvn 1 0 0\nvn 0 1 0\nf 1/1/1 2/1/1 3/2/2\n");
    model.draw();
    const GlStateSnapshot state = takeGlStateSnapshot();
    EXPECT_EQ(std::tuple(state.texCoord[0], state.texCoord[1], state.normal[1]), std::tuple(0.3f, 0.4f, 1.0f));
}

}  // namespace
