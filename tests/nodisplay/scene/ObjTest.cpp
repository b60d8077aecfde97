// Reading OBJ files into a Model. Files are written into a temporary
// models/ folder.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/ModelFileTest.h"

namespace {

using ObjFile = ModelFileTest;

TEST_F(ObjFile, ReadsEachOfTheFourFaceForms) {
    // Per form: the lines after the three vertices, and the face expected
    // (vertex, texture and normal indices; 1 where the form has none: the model's own).
    const std::pair<const char*, Face> cases[] = {
        {"f 3 1 2\n", {{3, 1, 2}, {1, 1, 1}, {1, 1, 1}}},
        {"vn 0 0 1\nvn 0 1 0\nf 3//2 2//1 1//2\n", {{3, 2, 1}, {1, 1, 1}, {2, 1, 2}}},
        {"vt 0 0\nvt 1 1\nf 1/2 2/1 3/2\n", {{1, 2, 3}, {2, 1, 2}, {1, 1, 1}}},
        {"vt 0 0\nvt 1 1\nvn 0 0 1\nvn 0 1 0\nf 1/2/1 2/1/2 3/2/1\n", {{1, 2, 3}, {2, 1, 2}, {1, 2, 1}}},
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(lines);
        load(std::string(triangleVertices) + lines);
        ASSERT_EQ(model.getFaceCount(), 1);
        const Face& f = model.getFaces()[0];
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(std::tuple(f.vertexIndex[c], f.texCoordIndex[c], f.normalIndex[c]),
                      std::tuple(expected.vertexIndex[c], expected.texCoordIndex[c], expected.normalIndex[c]));
    }
}

// Objects exported together, some with texture coordinates or normals and
// some without: each face is read in its own form; one whose corners differ
// in form is bad. Corners without a texture coordinate get an added (0, 0),
// faces without normals their flat normal, as in files of a single form.
TEST_F(ObjFile, FacesOfDifferentFormsMixInOneFile) {
    EXPECT_EQ(loadCapturingErrors("v 0 0 0\nv 4 0 0\nv 0 3 3\nvt 0.5 0.5\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\n"
                                  "f 1//1 2//1 3//1\nf 1/1 2/1 3/1\nf 1 2 3\nf 1/1/1 2//1 3/1\n"),
              "Skipping bad face in models/bad.obj at line 10\n");
    ASSERT_EQ(model.getFaceCount(), 4);
    const std::pair<int, int> texCoordAndNormal[] = {{1, 1}, {2, 1}, {1, 2}, {2, 3}};
    for (int i = 0; i < 4; ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(std::pair(model.getFaces()[i].texCoordIndex[c], model.getFaces()[i].normalIndex[c]),
                      texCoordAndNormal[i]) << i;
    const ModelTexCoord& zero = model.getTexCoords().at(1);
    const ModelVertex& flat = model.getNormals().at(2);
    EXPECT_EQ(std::tuple(model.getTexCoords().size(), zero.u, zero.v, model.getNormals().size()),
              std::tuple(2u, 0.0f, 0.0f, 3u));
    EXPECT_LT(std::hypot(flat.x, flat.y + std::sqrt(0.5f), flat.z - std::sqrt(0.5f)), 1e-6);
}

// Without "vn" lines each face gets its flat normal (up where it has none); without "vt" lines, (0, 0).
TEST_F(ObjFile, AFileWithoutNormalsOrTexCoordsGetsFlatFaceNormalsAndZeros) {
    load("v 0 0 0\nv 4 0 0\nv 0 3 3\nv nan 0 0\nf 1 2 3\nf 1 3 2\nf 2 2 3\nf 1 2 4\n");
    const float r = std::sqrt(0.5f), expected[4][3] = {{0, -r, r}, {0, r, -r}, {0, 1, 0}, {0, 1, 0}};
    for (int i = 0; i < 4; ++i) {
        const ModelVertex& n = model.getNormals().at(model.getFaces()[i].normalIndex[i % 3] - 1);
        EXPECT_LT(std::hypot(n.x - expected[i][0], n.y - expected[i][1], n.z - expected[i][2]), 1e-6) << i;
    }
    EXPECT_EQ(std::pair(model.getTexCoords().at(0).u, model.getTexCoords().at(0).v), std::pair(0.0f, 0.0f));
}

TEST_F(ObjFile, PolygonsAreReadAsFansFromTheirFirstCornerEvenOnVeryLongLines) {
    // Corners 0 1 2, then 0 2 3: the texture and normal indices follow theirs.
    std::string text =
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\nvn 0 0 1\nf 1/1/1 2/2/1 3/1/1 4/2/1\n";
    // The cut at 255 characters falls right after the 42nd corner, which
    // could be the start of a longer number, so it is left out.
    std::string longFace = "f   2/1/1 3/1/1 4/1/1";
    for (int i = 0; i < 40; ++i) longFace += " 1/2/1";
    EXPECT_EQ(loadCapturingErrors(text + longFace + "\n"),
              "Warning: models/bad.obj: 1 line longer than 255 characters (cut at 255).\n");
    ASSERT_EQ(model.getFaceCount(), 2 + 39);
    const Face& second = model.getFaces()[1];
    EXPECT_EQ(std::tuple(vertexIndices(0), vertexIndices(1), second.texCoordIndex[1], second.texCoordIndex[2]),
              std::tuple(std::vector<int>{1, 2, 3}, std::vector<int>{1, 3, 4}, 1, 2));
    EXPECT_EQ(std::tuple(vertexIndices(2), vertexIndices(40)),
              std::tuple(std::vector<int>{2, 3, 4}, std::vector<int>{2, 1, 1}));
}

TEST_F(ObjFile, SkipsCommentsGroupsMaterialsAndIndentedLinesWithoutCountingThem) {
    // A modeller's file may indent lines or put a tab after "v"; skipping
    // them is noted once for the file.
    std::string errors = loadCapturingErrors(
        "# a comment v 9 9 9\nmtllib car.mtl\no body\ng wheels\nusemtl red\ns 1\nvp 0.5 0.5\n\n"
        "  v 7 7 7\nv\t8 8 8\nv 1 2 3\n   \n\tv 2 3 4\nf 1 1 1\n");
    EXPECT_EQ(errors, "Warning: models/bad.obj: 2 lines starting with white space (ignored); 1 line "
                      "starting with \"v\" and a tab (ignored).\n");
    EXPECT_EQ(std::tuple(model.getVertexCount(), model.getTexCoordCount(), model.getNormalCount(), model.getFaceCount(),
                         model.getVertices().at(0).z),
              std::tuple(1, 0, 0, 1, 3.0f));
}

TEST_F(ObjFile, LastLineWithOrWithoutLineEndAndCrLfLoadTheSame) {
    const std::string body = "v 1 2 3\nv 4 5 6\nvt 0.25 0.75\nf 1/1 2/1 1/1";
    const std::string crlf = "v 1 2 3\r\nv 4 5 6\r\nvt 0.25 0.75\r\nf 1/1 2/1 1/1\r\n";
    for (const std::string& text : {body, body + "\n", crlf}) {
        SCOPED_TRACE(text);
        load(text);
        ASSERT_EQ(model.getFaceCount(), 1);
        EXPECT_EQ(std::tuple(model.getFaces()[0].vertexIndex[1], model.getFaces()[0].texCoordIndex[2],
                             model.getVertices()[1].z, model.getTexCoords()[0].v),
                  std::tuple(2, 1, 6.0f, 0.75f));
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
    const ModelVertex &v = model.getVertices().at(0), &n = model.getNormals().at(0);
    EXPECT_EQ(std::tuple(v.x, v.y, v.z, model.getTexCoords().at(0).v, n.x, n.z, model.getVertices().at(1).y),
              std::tuple(5.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 2.0f));
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
    EXPECT_EQ(std::tuple(model.getVertexCount(), model.getVertices().at(0).x, model.getVertices().at(1).x,
                         model.getFaceCount()),
              std::tuple(2, 1.0f, 2.0f, 0));
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

}  // namespace
