#include "scene/ObjReader.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Matches line against pattern the way sscanf does: a blank in the pattern
// skips any white space, "%d" reads a whole number, "%f" a real number, any
// other character must match itself. Reads at most count numbers into ints
// (for %d) or floats (for %f) and returns how many were read before the first
// mismatch. Unlike sscanf it has defined behaviour for numbers out of range.
int scanNumbers(const char* line, const char* pattern, int* ints, float* floats, int count) {
    int read = 0;
    const char* in = line;
    for (const char* p = pattern; *p && read < count; ++p) {
        if (*p == ' ') {
            while (std::isspace(static_cast<unsigned char>(*in))) ++in;
        } else if (*p == '%' && p[1] == 'd') {
            char* end = nullptr;
            long value = std::strtol(in, &end, 10);
            if (end == in) return read;
            ints[read++] = (value < INT_MIN || value > INT_MAX) ? 0 : static_cast<int>(value);
            in = end;
            ++p;
        } else if (*p == '%' && p[1] == 'f') {
            char* end = nullptr;
            float value = std::strtof(in, &end);
            if (end == in) return read;
            floats[read++] = value;
            in = end;
            ++p;
        } else {
            if (*in != *p) return read;
            ++in;
        }
    }
    return read;
}

}  // namespace

ObjLineKind classifyObjLine(const char* line) {
    if (line[0] == 'v' && line[1] == ' ') return ObjLineKind::Vertex;
    if (line[0] == 'v' && line[1] == 't') return ObjLineKind::TexCoord;
    if (line[0] == 'v' && line[1] == 'n') return ObjLineKind::Normal;
    if (line[0] == 'f') return ObjLineKind::Face;
    return ObjLineKind::Ignored;
}

ObjFaceForm objFaceFormFor(bool hasTexCoords, bool hasNormals) {
    if (hasTexCoords) return hasNormals ? ObjFaceForm::VertexTextureNormal : ObjFaceForm::VertexTexture;
    return hasNormals ? ObjFaceForm::VertexNormal : ObjFaceForm::Vertex;
}

bool readObjFace(const char* line, ObjFaceForm form, Face& face) {
    face = Face{};
    int numbers[9] = {};
    switch (form) {
    case ObjFaceForm::Vertex:
        if (scanNumbers(line, "f %d %d %d", numbers, nullptr, 3) != 3) return false;
        for (int c = 0; c < 3; ++c) face.vertexIndex[c] = numbers[c];
        return true;
    case ObjFaceForm::VertexNormal:
        if (scanNumbers(line, "f %d//%d %d//%d %d//%d", numbers, nullptr, 6) != 6) return false;
        for (int c = 0; c < 3; ++c) {
            face.vertexIndex[c] = numbers[2 * c];
            face.normalIndex[c] = numbers[2 * c + 1];
        }
        return true;
    case ObjFaceForm::VertexTexture:
        if (scanNumbers(line, "f %d/%d %d/%d %d/%d", numbers, nullptr, 6) != 6) return false;
        for (int c = 0; c < 3; ++c) {
            face.vertexIndex[c] = numbers[2 * c];
            face.texCoordIndex[c] = numbers[2 * c + 1];
        }
        return true;
    case ObjFaceForm::VertexTextureNormal:
        if (scanNumbers(line, "f %d/%d/%d %d/%d/%d %d/%d/%d", numbers, nullptr, 9) != 9) return false;
        for (int c = 0; c < 3; ++c) {
            face.vertexIndex[c] = numbers[3 * c];
            face.texCoordIndex[c] = numbers[3 * c + 1];
            face.normalIndex[c] = numbers[3 * c + 2];
        }
        return true;
    }
    return false;
}

int readObjFloats(const char* line, ObjLineKind kind, float* values, int count) {
    for (int i = 0; i < count; ++i) values[i] = 0.0f;
    const char* pattern = kind == ObjLineKind::Vertex     ? "v %f %f %f"
                          : kind == ObjLineKind::TexCoord ? "vt %f %f"
                          : kind == ObjLineKind::Normal   ? "vn %f %f %f"
                                                          : "";
    return scanNumbers(line, pattern, nullptr, values, count);
}

bool ObjLineReader::next() {
    // Read by hand rather than with fgets, so that a NUL byte inside a line
    // cannot hide where the line ended.
    int length = 0;
    int c = EOF;
    while (length < maxLineLength && (c = std::fgetc(file_)) != EOF) {
        buffer_[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer_[length] = '\0';
    if (length == 0) return false;
    // The rest of a longer line is skipped, whatever it holds: read as a
    // line of its own, a long comment could turn into a vertex or a face.
    cut_ = false;
    if (length == maxLineLength && c != '\n') {
        while ((c = std::fgetc(file_)) != EOF && c != '\n') cut_ = cut_ || c != '\r';
    }
    // A byte order mark, as some tools write UTF-8 files, is no part of the first line.
    if (lineNumber_ == 0 && std::strncmp(buffer_, "\xEF\xBB\xBF", 3) == 0)
        std::memmove(buffer_, buffer_ + 3, static_cast<size_t>(length) - 2);
    ++lineNumber_;
    return true;
}

namespace {

// Corners written on a face line: the words after the "f" that start a number.
int faceCorners(const char* line) {
    int corners = 0;
    for (const char* p = line + 1; *p; ++p) {
        bool startsWord = std::isspace(static_cast<unsigned char>(p[-1])) &&
                          !std::isspace(static_cast<unsigned char>(*p));
        if (startsWord && (std::isdigit(static_cast<unsigned char>(*p)) || *p == '-' || *p == '+')) ++corners;
    }
    return corners;
}

// White space before something else; a blank line is no more than blank.
bool indented(const char* line) {
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    return p != line && *p != '\0' && *p != '\n' && *p != '\r';
}

std::string counted(int count, const char* thing) {
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

}  // namespace

void ObjLineNotes::count(const char* line, ObjLineKind kind, bool wasCut) {
    if (wasCut) ++cut_;
    if (kind == ObjLineKind::Face && faceCorners(line) > 3) ++polygons_;
    if (kind != ObjLineKind::Ignored) return;
    if (indented(line)) ++indented_;
    if (line[0] == 'v' && line[1] == '\t') ++vertexWithTab_;
}

void ObjLineNotes::report(const std::string& path) const {
    std::string notes;
    auto add = [&notes](int count, const char* thing, const char* what) {
        if (count > 0) notes += (notes.empty() ? "" : "; ") + counted(count, thing) + what;
    };
    add(polygons_, "face", " with more than three corners (first triangle read)");
    add(indented_, "line", " starting with white space (ignored)");
    add(vertexWithTab_, "line", " starting with \"v\" and a tab (ignored)");
    add(cut_, "line", " longer than 255 characters (cut at 255)");
    if (!notes.empty()) std::fprintf(stderr, "Warning: %s: %s.\n", path.c_str(), notes.c_str());
}
