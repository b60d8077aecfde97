#include "BenchScene.h"

namespace {
constexpr SceneLook looks[benchSceneCount] = {
    {"chase 1024 x 768", "chase_1024x768", false, 1024, 768},
    {"ride 1024 x 768", "ride_1024x768", true, 1024, 768},
    {"chase 1440 x 1080", "chase_1440x1080", false, 1440, 1080},
};
}  // namespace

const SceneLook& sceneLook(BenchScene scene) { return looks[static_cast<int>(scene)]; }
