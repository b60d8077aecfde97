#pragma once
// The line-level reading of Wavefront OBJ files: how a line is split off the
// file, what kind of line it is and how its numbers are read. Plain C++, no
// GL; Model builds on it.
#include <cstdio>
#include <string>
#include <vector>

// What a line holds, from its first one or two characters.
enum class ObjLineKind {
    Vertex,    // "v " : position x y z
    TexCoord,  // "vt" : u v
    Normal,    // "vn" : x y z
    Face,      // "f"  : three or more corners in one face form
    Ignored,   // comments, groups, materials, blank lines, "v" + tab, ...
};

ObjLineKind classifyObjLine(const char* line);

// How a face line is written: the form of its first corner, which the
// others share. Files exported from several objects may mix them.
enum class ObjFaceForm {
    Vertex,               // f v v v
    VertexNormal,         // f v//n v//n v//n
    VertexTexture,        // f v/t v/t v/t
    VertexTextureNormal,  // f v/t/n v/t/n v/t/n
};

bool hasTexCoords(ObjFaceForm form);
bool hasNormals(ObjFaceForm form);

// One triangle: per corner the 1-based index of its vertex, texture
// coordinate and normal, as written in the file; 0 where the form has none.
struct Face {
    int vertexIndex[3];
    int texCoordIndex[3];
    int normalIndex[3];
};

// One corner of a face line, its indices as in Face.
struct ObjCorner {
    int vertexIndex;
    int texCoordIndex;
    int normalIndex;
};

// Reads the corners of a face line into corners and its form into form:
// that of the first corner, and then further corners as long as they follow
// in that form; whatever comes after them is ignored. The last corner of a
// line cut short is left out when it reaches the cut, as it may be the start
// of a longer number. True when at least three corners were read. Indices
// too large for an int are stored as 0, which no sequence accepts.
bool readObjFace(const char* line, bool wasCut, ObjFaceForm& form, std::vector<ObjCorner>& corners);

// Reads up to count floats of a "v", "vt" or "vn" line into values (count is
// 3, 2 and 3). Values the line does not supply are set to 0. Returns how many
// were read.
int readObjFloats(const char* line, ObjLineKind kind, float* values, int count);

// Reads a file line by line, at most the first 255 characters of each; the
// rest of a longer line is skipped, so it can never pass for a line of its
// own. Nothing is ever written past the buffer.
class ObjLineReader {
public:
    explicit ObjLineReader(std::FILE* file) : file_(file) {}

    // Reads the next line; false at the end of the file.
    bool next();
    const char* text() const { return buffer_; }
    // 1-based number of the current line in the file.
    int lineNumber() const { return lineNumber_; }
    // True when the current line was longer than 255 characters.
    bool wasCut() const { return cut_; }

private:
    static constexpr int maxLineLength = 255;

    std::FILE* file_;
    char buffer_[maxLineLength + 1] = {};
    int lineNumber_ = 0;
    bool cut_ = false;
};

// Lines a modeller meant otherwise than this reader takes them: indented
// lines and "v" + tab lines that are ignored, and lines cut at 255
// characters. They are counted over
// a file and reported in one line, so a model that looks wrong says why.
class ObjLineNotes {
public:
    void count(const char* line, ObjLineKind kind, bool wasCut);
    // One line on standard error naming the file, when anything was counted.
    void report(const std::string& path) const;

private:
    int indented_ = 0;
    int vertexWithTab_ = 0;
    int cut_ = 0;
};
