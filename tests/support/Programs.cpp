#include "support/Programs.h"

std::string programPath(const std::string& name) { return std::string(BRELLOW_BIN_DIR) + "/" + name; }

std::string assetToolPath() { return BRELLOW_ASSETS_BIN; }
