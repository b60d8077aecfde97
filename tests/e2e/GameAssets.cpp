#include "e2e/GameAssets.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

const std::string& gameAssetsDir() {
    static const std::string dir = [] {
        std::string path = "/tmp/brellow-e2e-assets-" + std::to_string(getpid());
        std::string command = std::string(BRELLOW_ASSETS_BIN) + " " + path + " >/dev/null";
        if (std::system(command.c_str()) != 0) throw std::runtime_error("brellow-assets failed");
        return path;
    }();
    return dir;
}
