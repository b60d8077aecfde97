#include "support/GlStateSnapshot.h"

#include <GL/gl.h>

#include <cstring>

namespace {

struct Enable {
    GLenum cap;
    const char* name;
};
const Enable enables[] = {
    {GL_LIGHTING, "GL_LIGHTING"},   {GL_TEXTURE_2D, "GL_TEXTURE_2D"},   {GL_DEPTH_TEST, "GL_DEPTH_TEST"},
    {GL_BLEND, "GL_BLEND"},         {GL_CULL_FACE, "GL_CULL_FACE"},     {GL_SCISSOR_TEST, "GL_SCISSOR_TEST"},
    {GL_COLOR_MATERIAL, "GL_COLOR_MATERIAL"}, {GL_NORMALIZE, "GL_NORMALIZE"}, {GL_POINT_SMOOTH, "GL_POINT_SMOOTH"},
    {GL_LIGHT0, "GL_LIGHT0"}, {GL_LIGHT1, "GL_LIGHT1"}, {GL_LIGHT2, "GL_LIGHT2"}, {GL_LIGHT3, "GL_LIGHT3"},
    {GL_LIGHT4, "GL_LIGHT4"}, {GL_LIGHT5, "GL_LIGHT5"}, {GL_LIGHT6, "GL_LIGHT6"}, {GL_LIGHT7, "GL_LIGHT7"},
};
static_assert(sizeof enables / sizeof enables[0] == sizeof GlStateSnapshot{}.enables, "one byte a switch");

template <size_t n>
bool same(const float (&a)[n], const float (&b)[n]) {
    return std::memcmp(a, b, sizeof a) == 0;
}

}  // namespace

GlStateSnapshot takeGlStateSnapshot() {
    GlStateSnapshot s{};
    glGetFloatv(GL_CURRENT_NORMAL, s.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texCoord);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    for (size_t i = 0; i < sizeof s.enables; ++i) s.enables[i] = glIsEnabled(enables[i].cap);
    glGetIntegerv(GL_BLEND_SRC, &s.blendSource);
    glGetIntegerv(GL_BLEND_DST, &s.blendDestination);
    glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
    return s;
}

std::vector<std::string> stateDifferences(const GlStateSnapshot& a, const GlStateSnapshot& b, StateParts parts,
                                          int* fieldsCompared) {
    std::vector<std::string> differ;
    int compared = 0;
    auto check = [&](bool equal, const std::string& name) {
        ++compared;
        if (!equal) differ.push_back(name);
    };
    if (parts == StateParts::all) {
        check(same(a.colour, b.colour), "colour");
    }
    for (size_t i = 0; i < sizeof a.enables; ++i)
        check(a.enables[i] == b.enables[i], std::string("enable ") + enables[i].name);
    check(a.blendSource == b.blendSource && a.blendDestination == b.blendDestination, "blend function");
    if (parts == StateParts::all) {
        check(same(a.projection, b.projection), "projection");
        check(same(a.modelview, b.modelview), "modelview");
    }
    if (fieldsCompared) *fieldsCompared = compared;
    return differ;
}
