#pragma once
// The GL state a pass can leave behind for the next, read back at one
// moment: the current normal, texture coordinate and colour, the front
// material, the switches, the blend function, both matrices and the bound
// texture. Two snapshots can be compared field by field.
#include <string>
#include <vector>

struct GlStateSnapshot {
    float normal[3];
    float texCoord[4];
    float colour[4];
    float ambient[4], diffuse[4], specular[4], emission[4];
    float shininess;
    unsigned char enables[17];  // see enableNames in the .cpp
    int blendSource, blendDestination;
    float projection[16];
    float modelview[16];
    int boundTexture;
};

GlStateSnapshot takeGlStateSnapshot();

// Which parts of a snapshot a comparison looks at.
enum class StateParts { all, switchesAndBlend };

// The names of the fields that differ ("normal", "enable GL_LIGHTING", ...);
// empty when the two are the same. fieldsCompared receives how many fields
// were looked at.
std::vector<std::string> stateDifferences(const GlStateSnapshot& a, const GlStateSnapshot& b,
                                          StateParts parts = StateParts::all, int* fieldsCompared = nullptr);
