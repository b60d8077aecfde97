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
// mismatch; stoppedAt, when given, is left where the reading stopped. Unlike sscanf
// it has defined behaviour for numbers out of range.
int scanNumbers(const char* line, const char* pattern, int* ints, float* floats, int count,
                const char** stoppedAt = nullptr) {
    int read = 0;
    const char* in = line;
    for (const char* p = pattern; *p && read < count; ++p) {
        if (*p == ' ') {
            while (std::isspace(static_cast<unsigned char>(*in))) ++in;
        } else if (*p == '%' && p[1] == 'd') {
            char* end = nullptr;
            long value = std::strtol(in, &end, 10);
            if (end == in) break;
            ints[read++] = (value < INT_MIN || value > INT_MAX) ? 0 : static_cast<int>(value);
            in = end;
            ++p;
        } else if (*p == '%' && p[1] == 'f') {
            char* end = nullptr;
            float value = std::strtof(in, &end);
            if (end == in) break;
            floats[read++] = value;
            in = end;
            ++p;
        } else {
            if (*in != *p) break;
            ++in;
        }
    }
    if (stoppedAt) *stoppedAt = in;
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

bool hasTexCoords(ObjFaceForm form) {
    return form == ObjFaceForm::VertexTexture || form == ObjFaceForm::VertexTextureNormal;
}

bool hasNormals(ObjFaceForm form) {
    return form == ObjFaceForm::VertexNormal || form == ObjFaceForm::VertexTextureNormal;
}

namespace {

// Reads one corner in the given form from text, which starts at the blank
// before it; next is left just after it.
bool readObjCorner(const char* text, ObjFaceForm form, ObjCorner& corner, const char*& next) {
    int n[3] = {};
    switch (form) {
    case ObjFaceForm::Vertex:
        if (scanNumbers(text, " %d", n, nullptr, 1, &next) != 1) return false;
        corner = {n[0], 0, 0};
        return true;
    case ObjFaceForm::VertexNormal:
        if (scanNumbers(text, " %d//%d", n, nullptr, 2, &next) != 2) return false;
        corner = {n[0], 0, n[1]};
        return true;
    case ObjFaceForm::VertexTexture:
        if (scanNumbers(text, " %d/%d", n, nullptr, 2, &next) != 2) return false;
        corner = {n[0], n[1], 0};
        return true;
    case ObjFaceForm::VertexTextureNormal:
        if (scanNumbers(text, " %d/%d/%d", n, nullptr, 3, &next) != 3) return false;
        corner = {n[0], n[1], n[2]};
        return true;
    }
    return false;
}

}  // namespace

bool readObjFace(const char* line, bool wasCut, ObjFaceForm& form, std::vector<ObjCorner>& corners) {
    corners.clear();
    const char* text = line + 1;  // after the "f"
    ObjCorner corner{};
    const char* next = nullptr;
    // Longest first: the start of "1/2/3" reads as "1/2" and as "1" too.
    bool found = false;
    for (ObjFaceForm candidate : {ObjFaceForm::VertexTextureNormal, ObjFaceForm::VertexNormal,
                                  ObjFaceForm::VertexTexture, ObjFaceForm::Vertex}) {
        if ((found = readObjCorner(text, candidate, corner, next))) {
            form = candidate;
            break;
        }
    }
    while (found) {
        corners.push_back(corner);
        text = next;
        found = readObjCorner(text, form, corner, next);
    }
    if (wasCut && *text == '\0' && !corners.empty()) corners.pop_back();
    return corners.size() >= 3;
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
    if (kind != ObjLineKind::Ignored) return;
    if (indented(line)) ++indented_;
    if (line[0] == 'v' && line[1] == '\t') ++vertexWithTab_;
}

void ObjLineNotes::report(const std::string& path) const {
    std::string notes;
    auto add = [&notes](int count, const char* thing, const char* what) {
        if (count > 0) notes += (notes.empty() ? "" : "; ") + counted(count, thing) + what;
    };
    add(indented_, "line", " starting with white space (ignored)");
    add(vertexWithTab_, "line", " starting with \"v\" and a tab (ignored)");
    add(cut_, "line", " longer than 255 characters (cut at 255)");
    if (!notes.empty()) std::fprintf(stderr, "Warning: %s: %s.\n", path.c_str(), notes.c_str());
}
