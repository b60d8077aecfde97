// Reading OBJ files into a Model, and drawing the Model in the real GL
// context. Files are written into a temporary models/ folder.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "scene/Model.h"
#include "support/GlStateGuard.h"
#include "support/GlStateSnapshot.h"
#include "support/TempWorkDir.h"
#include "support/WindowReadBack.h"

namespace {

class ObjFile : public testing::Test {
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

    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

    std::vector<int> vertexIndices(int face) const {
        const Face& f = model.getFaces().at(face);
        return {f.vertexIndex[0], f.vertexIndex[1], f.vertexIndex[2]};
    }

    TempWorkDir dir;
    Model model;
};

const char* const triangleVertices = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

TEST_F(ObjFile, ReadsEachOfTheFourFaceForms) {
    // Per form: the lines after the three vertices, and the face expected
    // (vertex, texture and normal indices; 0 where the form has none).
    const std::pair<const char*, Face> cases[] = {
        {"f 3 1 2\n", {{3, 1, 2}, {0, 0, 0}, {0, 0, 0}}},
        {"vn 0 0 1\nvn 0 1 0\nf 3//2 2//1 1//2\n", {{3, 2, 1}, {0, 0, 0}, {2, 1, 2}}},
        {"vt 0 0\nvt 1 1\nf 1/2 2/1 3/2\n", {{1, 2, 3}, {2, 1, 2}, {0, 0, 0}}},
        {"vt 0 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\nf 1/2/1 2/1/2 3/2/1\n", {{1, 2, 3}, {2, 1, 2}, {1, 2, 1}}},
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(lines);
        load(std::string(triangleVertices) + lines);
        ASSERT_EQ(model.getFaceCount(), 1);
        const Face& f = model.getFaces()[0];
        for (int corner = 0; corner < 3; ++corner) {
            EXPECT_EQ(f.vertexIndex[corner], expected.vertexIndex[corner]);
            EXPECT_EQ(f.texCoordIndex[corner], expected.texCoordIndex[corner]);
            EXPECT_EQ(f.normalIndex[corner], expected.normalIndex[corner]);
        }
    }
}

TEST_F(ObjFile, PolygonsGiveTheirFirstTriangleEvenOnVeryLongLines) {
    std::string text = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n";
    // A 150-corner polygon runs far past 255 characters; the pieces after
    // the first begin with digits or blanks and are ignored.
    std::string longFace = "f 2 3 4";
    for (int i = 0; i < 150; ++i) longFace += " 1";
    EXPECT_EQ(loadCapturingErrors(text + longFace + "\n"),
              "Warning: models/bad.obj: 2 faces with more than three corners (first triangle read); "
              "1 line longer than 255 characters (cut at 255).\n");
    ASSERT_EQ(model.getFaceCount(), 2);
    EXPECT_EQ(vertexIndices(0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(vertexIndices(1), (std::vector<int>{2, 3, 4}));
}

TEST_F(ObjFile, SkipsCommentsGroupsMaterialsAndIndentedLinesWithoutCountingThem) {
    // A modeller's file may indent lines or put a tab after "v"; skipping
    // them is noted once for the file.
    std::string errors = loadCapturingErrors(
        "# a comment v 9 9 9\nmtllib car.mtl\no body\ng wheels\nusemtl red\ns 1\nvp 0.5 0.5\n\n"
        "  v 7 7 7\nv\t8 8 8\nv 1 2 3\n   \n\tv 2 3 4\nf 1 1 1\n");
    EXPECT_EQ(errors, "Warning: models/bad.obj: 2 lines starting with white space (ignored); 1 line "
                      "starting with \"v\" and a tab (ignored).\n");
    EXPECT_EQ(model.getVertexCount(), 1);
    EXPECT_EQ(model.getTexCoordCount(), 0);
    EXPECT_EQ(model.getNormalCount(), 0);
    EXPECT_EQ(model.getFaceCount(), 1);
    EXPECT_EQ(model.getVertices().at(0).z, 3.0f);
}

TEST_F(ObjFile, AnEmptyFileLoadsAndDrawsNothingAMissingOneFails) {
    EXPECT_FALSE(model.load("nothere.obj"));
    EXPECT_FALSE(model.isLoaded());
    EXPECT_EQ(model.getVertexCount(), 0);
    load("");
    EXPECT_EQ(model.getVertexCount(), 0);
    EXPECT_EQ(model.getFaceCount(), 0);
    EXPECT_EQ(model.boundingRadius(), 0.0f);
    model.draw();
}

TEST_F(ObjFile, LastLineWithOrWithoutLineEndAndCrLfLoadTheSame) {
    const std::string body = "v 1 2 3\nv 4 5 6\nvt 0.25 0.75\nf 1/1 2/1 1/1";
    const std::string crlf = "v 1 2 3\r\nv 4 5 6\r\nvt 0.25 0.75\r\nf 1/1 2/1 1/1\r\n";
    for (const std::string& text : {body, body + "\n", crlf}) {
        SCOPED_TRACE(text);
        load(text);
        ASSERT_EQ(model.getFaceCount(), 1);
        EXPECT_EQ(model.getFaces()[0].vertexIndex[1], 2);
        EXPECT_EQ(model.getFaces()[0].texCoordIndex[2], 1);
        EXPECT_EQ(model.getVertices()[1].z, 6.0f);
        EXPECT_EQ(model.getTexCoords()[0].v, 0.75f);
    }
}

TEST_F(ObjFile, BoundingRadiusIsMeasuredFromTheOrigin) {
    // Coordinates that are not finite take no part: one stray inf would
    // make the model collide with everything.
    const std::pair<const char*, float> cases[] = {
        {"v 10 0 0\nv 11 0 0\nv 12 0 0\n", 12.0f},
        {"v 0 -3 4\nv 1 1 1\n", 5.0f},
        {"v 0 -3 4\nv inf 0 0\nv 1 -inf 12\nv nan 1 1\n", std::sqrt(145.0f)},
    };
    for (const auto& [text, radius] : cases) {
        load(text);
        EXPECT_FLOAT_EQ(model.boundingRadius(), radius) << text;
    }
}

TEST_F(ObjFile, OnlyFacesThatCloseAroundAVolumeMakeAClosedSurface) {
    const std::string corners = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\n";
    const std::string threeFaces = "f 1 3 2\nf 1 2 4\nf 1 4 3\n";
    // Vertices repeated at a texture seam join by position; a second closed
    // shape and a collapsed triangle change nothing.
    const std::string seams = corners + "v 1 0 0\nv 0 1 0\nv 5 5 5\nv 6 5 5\nv 5 6 5\nv 5 5 6\n" + threeFaces +
                              "f 5 6 4\nf 7 9 8\nf 7 8 10\nf 7 10 9\nf 8 9 10\nf 1 1 2\n";
    const std::tuple<std::string, bool, const char*> cases[] = {
        {corners + threeFaces + "f 2 3 4\n", true, "a tetrahedron"},
        {corners + threeFaces, false, "a face missing"},
        {corners + threeFaces + "f 2 4 3\n", false, "one face turned the wrong way"},
        {seams, true, "seams, a second shape and a collapsed triangle"},
        {"v 0 0 0\n", false, "no faces"},
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 nan\n" + threeFaces + "f 2 3 4\n", false, "a position that is not a number"},
    };
    for (const auto& [text, closed, why] : cases) {
        load(text);
        EXPECT_EQ(model.hasClosedSurface(), closed) << why;
    }
}

TEST_F(ObjFile, ShortVertexLinesGetZerosForMissingValues) {
    load("v 5\nvt 0.5\nvn\nv 1 2 3\n");
    EXPECT_EQ(model.getVertices().at(0).x, 5.0f);
    EXPECT_EQ(model.getVertices().at(0).y, 0.0f);
    EXPECT_EQ(model.getVertices().at(0).z, 0.0f);
    EXPECT_EQ(model.getTexCoords().at(0).v, 0.0f);
    EXPECT_EQ(model.getNormals().at(0).x, 0.0f);
    EXPECT_EQ(model.getNormals().at(0).z, 0.0f);
    EXPECT_EQ(model.getVertices().at(1).y, 2.0f);
}

// One warning for all a file's bad faces, naming the first; the good face
// between them is kept and drawn.
TEST_F(ObjFile, BadFacesAreSkippedWithOneWarning) {
    const std::pair<const char*, const char*> cases[] = {
        // The file has "vt" lines and no "vn" lines, so every face must read
        // "f v/t v/t v/t".
        {"v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n"
         "f 1/1/1 2/1/1 3/1/1\n"  // line 5: three numbers per corner
         "f 1/1 2/1 3/1\n"        // line 6: good
         "f 1/1 2/1\n"            // line 7: two corners
         "f 1 2 3\n"              // line 8: no texture indices
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

// As tools write files: a byte order mark first, and faces that count back
// from the vertices read so far (-1 the latest) or name later ones.
TEST_F(ObjFile, AByteOrderMarkIsPassedOverAndIndicesCountBackOrAhead) {
    EXPECT_EQ(loadCapturingErrors("\xEF\xBB\xBFv 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                                  "f -3/-1/-1 -2/-1/-1 -1/-1/-1\nv 5 5 5\nf 1/1/1 -1/1/1 -2/1/1\n"),
              "");
    EXPECT_EQ(model.getVertexCount(), 4);
    ASSERT_EQ(model.getFaceCount(), 2);
    EXPECT_EQ(vertexIndices(0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(vertexIndices(1), (std::vector<int>{1, 4, 3}));
    EXPECT_EQ(model.getFaces()[0].texCoordIndex[2], 1);
    // Indices count over the whole file, so a face before its vertices is fine.
    EXPECT_EQ(loadCapturingErrors("f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"), "");
    EXPECT_EQ(model.getFaceCount(), 1);
}

TEST_F(ObjFile, OnlyTheFirst255CharactersOfALineAreRead) {
    // The rest of a longer line is skipped whatever it holds, so a long
    // comment never turns into geometry; warnings still name the file line.
    // A file left without faces is noted: its trees would be invisible, yet
    // collide.
    std::string comment = "#" + std::string(254, 'x');
    std::string errors = loadCapturingErrors(comment + "v 4 5 6\n" + "v 1 1 1\n" +
                                             std::string(3000, ' ') + "\n" + comment + "f 9 9 9\n" +
                                             "v 2 2 2" + std::string(248, ' ') + "f 1 1 1\n" +
                                             std::string(255, '#') + "\nf 9 9 9\n");
    EXPECT_EQ(model.getVertexCount(), 2);
    EXPECT_EQ(model.getVertices().at(0).x, 1.0f);
    EXPECT_EQ(model.getVertices().at(1).x, 2.0f);
    EXPECT_EQ(model.getFaceCount(), 0);
    EXPECT_EQ(errors, "Skipping bad face in models/bad.obj at line 7\nWarning: models/bad.obj: 4 lines "
                      "longer than 255 characters (cut at 255).\nWarning: models/bad.obj: no faces, so nothing of "
                      "it is drawn.\n");
}

TEST_F(ObjFile, RunningOutOfMemoryNamesTheFile) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer's allocator ends the process instead of failing the allocation";
#endif
    // Three million empty face lines ask for about 100 MB of faces, loaded
    // in a child process whose address space is capped well below that.
    std::string faces;
    for (int i = 0; i < 3000000; ++i) faces += "f\n";
    dir.writeFile("models/huge.obj", faces);
    auto loadWithLittleMemory = [] {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        rlimit cap{};
        cap.rlim_cur = cap.rlim_max = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (48 << 20);
        setrlimit(RLIMIT_AS, &cap);
        try {
            Model().load("huge.obj");
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        std::_Exit(0);
    };
    EXPECT_EXIT(loadWithLittleMemory(), testing::ExitedWithCode(0), "Out of memory while loading models/huge.obj");
}

// Drawing fixture: an identity projection, so vertex x and y are the
// window's -1..1 range, on a black back buffer; GL state is restored after.
class ModelDrawing : public ObjFile {
protected:
    void SetUp() override {
        for (GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(matrix), glLoadIdentity();
        glViewport(0, 0, 1024, 768);
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

TEST_F(ModelDrawing, QuadDrawsOnlyItsFirstTriangle) {
    load(std::string(square) + "f 1 2 3 4\n");
    model.draw();
    EXPECT_EQ(redAt(0.2f, -0.6f), 255);  // inside corners 1, 2, 3
    EXPECT_EQ(redAt(-0.6f, 0.2f), 0);    // inside corners 1, 3, 4 only
}

TEST_F(ModelDrawing, EachCornerTakesTheNormalItsFaceNames) {
    // Light from the viewer: the triangle whose corners name the normal
    // facing the viewer is lit, the one naming the normal facing away is not.
    load(std::string(square) + "vn 0 0 -1\nvn 0 0 1\nf 1//2 2//2 3//2\nf 1//1 3//1 4//1\n");
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0}) glEnable(cap);
    const GLfloat towardsViewer[4] = {0, 0, 1, 0}, white[4] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    model.draw();
    EXPECT_GT(redAt(0.2f, -0.6f), 150);
    EXPECT_LT(redAt(-0.6f, 0.2f), 40);
}

TEST_F(ModelDrawing, TextureCoordinatesAndNormalsFollowTheCornersInOrder) {
    load(std::string(square) + "vt 0.1 0.2\nvt 0.3 0.4\nvn 1 0 0\nvn 0 1 0\nf 1/1/1 2/1/1 3/2/2\n");
    model.draw();
    const GlStateSnapshot state = takeGlStateSnapshot();
    EXPECT_FLOAT_EQ(state.texCoord[0], 0.3f);
    EXPECT_FLOAT_EQ(state.texCoord[1], 0.4f);
    EXPECT_FLOAT_EQ(state.normal[1], 1.0f);
}

}  // namespace
