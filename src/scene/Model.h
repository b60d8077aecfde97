#pragma once
// A triangle mesh read from a Wavefront OBJ file in models/: positions,
// texture coordinates, normals and triangles, drawn as immediate-mode
// triangles (normally once, while the model cache compiles its display list).
//
// Every corner is drawn with a texture coordinate and a normal of its own
// model, never with one left current by whatever was drawn before. Each
// face is read in its own form, so objects exported with and without
// texture coordinates or normals may share a file: a face written without
// normals gets its flat normal, as modelling tools work it out, and one
// without texture coordinates the coordinate (0, 0) at every corner. A face
// of more than three corners becomes a fan of triangles from its first
// corner, which draws a convex polygon whole.
//
// Faces that would make the drawing read outside a sequence (a face line
// without three corners in one form, or with an index outside 1..count)
// are skipped, so that every kept face can be drawn as it is; one line on
// standard error counts them and names the first. A negative index counts
// back from the last of its kind read so far (-1 the latest), as OBJ files
// may write them. A file with no face to draw gets a line of its own, and a
// byte order mark before the first line is passed over.
#include <cstdio>
#include <string>
#include <vector>

#include "scene/ObjReader.h"

struct ModelVertex {
    float x, y, z;
};

struct ModelTexCoord {
    float u, v;
};

class Model {
public:
    // Reads "models/" + fileName. False when it is not a regular file or
    // cannot be opened (the model is then unchanged), or cannot be rewound
    // for the second pass.
    bool load(const std::string& fileName);

    // Issues the faces as one GL_TRIANGLES block with the current GL state,
    // each corner with its texture coordinate and normal.
    void draw() const;
    // The same triangles with positions alone: for flat silhouettes, which
    // need neither texture coordinates nor normals.
    void drawPositions() const;

    // The largest distance of a vertex from the model's origin (not from its
    // centre); 0 without vertices. Coordinates that are inf or nan count as 0.
    float boundingRadius() const;
    // True when the faces close around one or more volumes: every edge
    // between two positions is crossed by as many faces one way as the other
    // way round. A line through such a surface goes in as often as it comes
    // out, so the faces turned towards a viewer cover all that the faces
    // turned away do. False without faces or with a position that is not a
    // finite number.
    bool hasClosedSurface() const;

    bool isLoaded() const { return loaded; }

    const std::vector<ModelVertex>& getVertices() const { return vertices; }
    // The file's, then a (0, 0) when a face has none or the file has none.
    const std::vector<ModelTexCoord>& getTexCoords() const { return texCoords; }
    // The file's, then one flat normal per kept face written without.
    const std::vector<ModelVertex>& getNormals() const { return normals; }
    // Indices a face's form lacks name the model's own, as above.
    const std::vector<Face>& getFaces() const { return faces; }
    int getVertexCount() const { return vertexCount; }      // "v" lines in the file
    int getTexCoordCount() const { return texCoordCount; }  // "vt" lines in the file
    int getNormalCount() const { return normalCount; }      // "vn" lines in the file
    int getFaceCount() const { return faceCount; }          // triangles kept after parse

private:
    void countElements(std::FILE* file);
    void allocate();
    void parse(std::FILE* file, const std::string& path);
    bool cornerInRange(const ObjCorner& corner, ObjFaceForm form) const;
    // Reads a face line into triangles; false, adding none, when it is bad.
    // The counts are the records read so far, for relative indices.
    bool addFace(const char* line, bool wasCut, size_t vertices, size_t texCoords, size_t normals);
    void completeCorners();

    std::vector<ModelVertex> vertices;    // file order; missing values are 0
    std::vector<ModelTexCoord> texCoords; // see getTexCoords
    std::vector<ModelVertex> normals;     // see getNormals
    std::vector<Face> faces;              // file order, only faces that can be drawn
    std::vector<ObjCorner> corners;       // the face line being read
    int vertexCount = 0;
    int texCoordCount = 0;
    int normalCount = 0;
    int faceCount = 0;  // face lines while counting; triangles kept once parsed
    bool loaded = false;
};
