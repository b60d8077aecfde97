#include "AssetGenerator.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "HeightMap.h"
#include "Icon.h"
#include "MenuPictures.h"
#include "Models.h"
#include "ObjWriter.h"
#include "Pictures.h"

namespace {

bool makeFolder(const std::string& folder, std::ostream& err) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder)) {
        err << "Could not create folder " << folder << "\n";
        return false;
    }
    return true;
}

struct PictureJob {
    std::string name;
    std::function<Canvas()> paint;
};

struct ModelJob {
    std::string name;
    std::function<Mesh()> build;
    std::string comment;
};

std::vector<PictureJob> pictureJobs(const AssetOptions& options = {}) {
    const int terrainSize = options.terrainSize;
    std::vector<PictureJob> jobs = {
        {"Terrain.bmp", [terrainSize] { return makeHeightMap(terrainSize); }}, {"Grass.bmp", makeGrass},   {"Camo.bmp", makeCamo},
        {"Tree.bmp", makeTreeBark},     {"Sky.bmp", makeSky},       {"Moon.bmp", makeMoon},
        {"MoonAlpha.bmp", makeMoonAlpha}, {menuBackgroundPicture, makeMenuBackground},
    };
    for (const MenuButtonLayout& button : menuButtons())
        for (bool selected : {false, true})
            jobs.push_back({menuButtonFileName(button, selected), [&button, selected] {
                                return makeMenuButton(button, selected);
                            }});
    return jobs;
}

std::vector<ModelJob> modelJobs() {
    return {
        {"HumVee.obj", makeVehicle, "Brellow 4 vehicle: front towards +x, wheels on y = 0"},
        {"Tree.obj", makeTree, "Brellow 4 tree: base at the origin"},
    };
}

// A file that could not be written in full (a full disk) is not left for
// the game to read as if it were whole.
void removeCutShort(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

}  // namespace

std::vector<std::string> generatedAssetFiles() {
    std::vector<std::string> files;
    for (const PictureJob& job : pictureJobs()) files.push_back("textures/" + job.name);
    for (const ModelJob& job : modelJobs()) files.push_back("models/" + job.name);
    return files;
}

bool generateAssets(const std::string& dir, std::ostream& out, std::ostream& err,
                    const AssetOptions& options) {
    if (options.terrainSize < kHeightMapMinSize || options.terrainSize > kHeightMapMaxSize) {
        err << "Terrain size " << options.terrainSize << " is outside " << kHeightMapMinSize << " to "
            << kHeightMapMaxSize << "\n";
        return false;
    }
    const std::string textures = dir + "/textures";
    const std::string models = dir + "/models";
    for (const std::string& folder : {textures, models})
        if (!makeFolder(folder, err)) return false;

    for (const PictureJob& job : pictureJobs(options)) {
        const std::string path = textures + "/" + job.name;
        Canvas picture = job.paint();
        if (!picture.save(path)) {
            removeCutShort(path);
            err << "Could not write picture " << path << "\n";
            return false;
        }
        out << "wrote " << path << " (" << picture.width() << " x " << picture.height() << ")\n";
    }
    for (const ModelJob& job : modelJobs()) {
        const std::string path = models + "/" + job.name;
        Mesh mesh = job.build();
        if (!writeObj(path, mesh, job.comment)) {
            removeCutShort(path);
            err << "Could not write model " << path << "\n";
            return false;
        }
        out << "wrote " << path << " (" << mesh.positions.size() << " vertices, " << mesh.triangles.size()
            << " triangles)\n";
    }
    return true;
}

bool generateIcons(const std::string& dir, std::ostream& out, std::ostream& err) {
    for (int size : kIconSizes) {
        const std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        if (!makeFolder(folder, err)) return false;
        const std::string path = folder + "/brellow.png";
        if (!writePng(path, paintIcon(size))) {
            err << "Could not write icon " << path << "\n";
            return false;
        }
        out << "wrote " << path << " (" << size << " x " << size << ")\n";
    }
    return true;
}
