// Fuzzes Model::load with arbitrary file contents in models/. Beyond crashes
// and memory errors it checks what drawing relies on: every kept face's
// indices lie inside the sequences that draw() will index, whatever form
// the face was written in.
#include <sys/stat.h>

#include <cstdlib>

#include "FuzzFile.h"
#include "scene/Model.h"

namespace {

bool inRange(int index, size_t count) { return index >= 1 && static_cast<size_t>(index) <= count; }

void checkFaces(const Model& model) {
    const size_t vertices = model.getVertices().size();
    const size_t texCoords = model.getTexCoords().size();
    const size_t normals = model.getNormals().size();
    // The file's records come first; faces written without texture
    // coordinates or normals add a (0, 0) and flat normals after them.
    if (vertices != size_t(model.getVertexCount())) std::abort();
    if (texCoords < size_t(model.getTexCoordCount())) std::abort();
    if (normals < size_t(model.getNormalCount())) std::abort();
    if (model.getFaces().size() != size_t(model.getFaceCount())) std::abort();
    for (const Face& face : model.getFaces())
        for (int c = 0; c < 3; ++c) {
            if (!inRange(face.vertexIndex[c], vertices)) std::abort();
            if (!inRange(face.texCoordIndex[c], texCoords)) std::abort();
            if (!inRange(face.normalIndex[c], normals)) std::abort();
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int ready = mkdir((fuzzScratchDir() + "/models").c_str(), 0755);
    (void)ready;
    writeFuzzInput("models/input.obj", data, size);

    Model model;
    if (!model.load("input.obj")) std::abort();  // the file exists, so it must load
    if (!model.isLoaded()) std::abort();
    checkFaces(model);
    volatile float radius = model.boundingRadius();
    (void)radius;
    return 0;
}
