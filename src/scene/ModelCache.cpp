#include "scene/ModelCache.h"

const char* const internalSphereName = "_internal_sphere";

std::map<std::string, ModelCacheEntry>& modelCache() {
    static std::map<std::string, ModelCacheEntry> cache;
    return cache;
}

int modelUseCount(const std::string& name) {
    auto found = modelCache().find(name);
    return found == modelCache().end() ? 0 : found->second.useCount;
}
