#pragma once
// The GL state a pass can leave behind for the next, read back at one
// moment: the current normal, texture coordinate and colour, the switches,
// the blend function and both matrices. Two snapshots are compared on all but
// the normal and texture coordinate, which every drawing sends for itself.
#include <string>
#include <vector>

struct GlStateSnapshot {
    float normal[3];
    float texCoord[4];
    float colour[4];
    unsigned char enables[17];  // see enableNames in the .cpp
    int blendSource, blendDestination;
    float projection[16];
    float modelview[16];
};

GlStateSnapshot takeGlStateSnapshot();

// Which parts of a snapshot a comparison looks at.
enum class StateParts { all, switchesAndBlend };

// The names of the fields that differ ("colour", "enable GL_LIGHTING", ...);
// empty when the two are the same. fieldsCompared receives how many fields
// were looked at.
std::vector<std::string> stateDifferences(const GlStateSnapshot& a, const GlStateSnapshot& b,
                                          StateParts parts = StateParts::all, int* fieldsCompared = nullptr);
