// The asset generator is checked through the files it writes, read back the
// way the game reads them: pictures through readBmp, models line by line in
// the v / vt / vn / "f v/vt/vn" form.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "menu/MenuLayout.h"
#include "assets/AssetGenerator.h"
#include "assets/Icon.h"
#include "image/Bmp.h"
#include "scene/Model.h"
#include "support/Files.h"
#include "support/TempWorkDir.h"

namespace {

struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(uint32_t x, uint32_t row) const { return &rgb[(row * width + x) * 3]; }
};

Picture loadPicture(const std::string& path) {
    Image image;
    EXPECT_TRUE(readBmp(path.c_str(), image)) << path;
    Picture picture{image.width, image.height, {}};
    if (image.data) picture.rgb.assign(image.data.get(), image.data.get() + image.width * image.height * 3);
    return picture;
}

// A model's vertex coordinates, axis by axis.
struct Axes {
    explicit Axes(const Model& model) {
        for (const ModelVertex& v : model.getVertices()) xs.push_back(v.x), ys.push_back(v.y), zs.push_back(v.z);
    }
    std::vector<float> xs, ys, zs;
};

// Generates once into a temporary folder shared by the whole suite, and
// works in it.
class AssetGeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        workDir = std::make_unique<TempWorkDir>();
        std::ostringstream out, err;
        generated = generateAssets(workDir->path(), out, err);
        log = out.str();
        errors = err.str();
    }
    static void TearDownTestSuite() { workDir.reset(); }
    static std::string path(const std::string& relative) { return workDir->path() + "/" + relative; }

    // A model as the game reads it, which has nothing to say of a well-made
    // file: no face skipped, no line cut.
    static Model loadModel(const std::string& name) {
        Model model;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(model.load(name)) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << name;
        return model;
    }

    inline static std::unique_ptr<TempWorkDir> workDir;
    inline static bool generated = false;
    inline static std::string log, errors;
};

}  // namespace

TEST_F(AssetGeneratorTest, WritesEveryFileOnceAndIdenticallyOnEveryRun) {
    ASSERT_TRUE(generated) << errors;
    EXPECT_EQ(errors, "");
    const std::vector<std::string> files = generatedAssetFiles();
    EXPECT_EQ(files.size(), 16u);
    EXPECT_EQ(static_cast<size_t>(std::count(log.begin(), log.end(), '\n')), files.size());

    std::ostringstream out, err;
    ASSERT_TRUE(generateAssets(workDir->path() + "/second", out, err)) << err.str();
    for (const std::string& file : files) {
        std::string first = readFile(path(file));
        EXPECT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, readFile(workDir->path() + "/second/" + file)) << file << " differs between runs";
        EXPECT_NE(log.find(file), std::string::npos) << file << " not reported";
    }
}

TEST_F(AssetGeneratorTest, FailsWithOneLineWhenTheFolderCannotBeMade) {
    workDir->writeFile("blocker", "a file where a folder should go");
    std::ostringstream out, err;
    EXPECT_FALSE(generateAssets(workDir->path() + "/blocker/assets", out, err));
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    EXPECT_NE(message.find("blocker/assets"), std::string::npos) << message;
}

// The PNG checksums against the check values their standards publish; the
// install test then has ImageMagick decode the icons whole.
TEST(PngChecksums, MatchTheirPublishedCheckValues) {
    const std::string digits = "123456789", word = "Wikipedia";
    EXPECT_EQ(crc32(reinterpret_cast<const unsigned char*>(digits.data()), digits.size()), 0xCBF43926u);
    EXPECT_EQ(adler32(reinterpret_cast<const unsigned char*>(word.data()), word.size()), 0x11E60398u);
}

TEST_F(AssetGeneratorTest, IconsAreSquarePngsOfEachSizeIdenticalOnEveryRun) {
    std::ostringstream out, err;
    ASSERT_TRUE(generateIcons(workDir->path() + "/icons1", out, err)) << err.str();
    ASSERT_TRUE(generateIcons(workDir->path() + "/icons2", out, err)) << err.str();
    for (int size : kIconSizes) {
        const std::string file = std::to_string(size) + "x" + std::to_string(size) + "/apps/brellow.png";
        std::string bytes = readFile(workDir->path() + "/icons1/" + file);
        ASSERT_GT(bytes.size(), 24u) << file;
        EXPECT_EQ(bytes.substr(1, 3), "PNG") << file;
        // IHDR's width and height, big-endian, at bytes 16 and 20.
        EXPECT_EQ(static_cast<unsigned char>(bytes[19]) | static_cast<unsigned char>(bytes[18]) << 8, size);
        EXPECT_EQ(bytes.substr(16, 4), bytes.substr(20, 4)) << file;
        EXPECT_EQ(bytes, readFile(workDir->path() + "/icons2/" + file)) << file << " differs between runs";
    }
}

TEST_F(AssetGeneratorTest, PicturesReadBackWithTheirSizes) {
    const std::map<std::string, std::pair<uint32_t, uint32_t>> sizes = {
        {"Terrain.bmp", {128, 128}},   {"Grass.bmp", {512, 512}}, {"Camo.bmp", {256, 256}},
        {"Tree.bmp", {256, 256}},      {"Sky.bmp", {512, 256}},   {"Moon.bmp", {128, 128}},
        {"MoonAlpha.bmp", {128, 128}}, {"MenuBackground.bmp", {1024, 768}},
    };
    for (const auto& [name, size] : sizes) {
        const Picture picture = loadPicture(path("textures/" + name));
        EXPECT_EQ(std::pair(picture.width, picture.height), size) << name;
    }
    for (const std::string& file : generatedAssetFiles())
        EXPECT_TRUE(file.rfind("textures/", 0) != 0 || loadPicture(path(file)).width % 4 == 0)
            << file << " would need row padding";
}

TEST_F(AssetGeneratorTest, HeightMapIsGreyRollingHillsWithoutCliffs) {
    Picture map = loadPicture(path("textures/Terrain.bmp"));
    ASSERT_EQ(map.width, 128u);
    int steepest = 0, lowest = 255, highest = 0;
    for (uint32_t z = 0; z < map.height; ++z)
        for (uint32_t x = 0; x < map.width; ++x) {
            const unsigned char* p = map.at(x, z);
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << "not grey at " << x << ", " << z;
            lowest = std::min<int>(lowest, p[0]), highest = std::max<int>(highest, p[0]);
            if (x + 1 < map.width) steepest = std::max(steepest, std::abs(p[0] - map.at(x + 1, z)[0]));
            if (z + 1 < map.height) steepest = std::max(steepest, std::abs(p[0] - map.at(x, z + 1)[0]));
        }
    // One red unit is 0.1 world units: at most 0.5 up per grid step.
    EXPECT_LE(steepest, 5);
    EXPECT_GE(highest - lowest, 60) << "the landscape is nearly flat";

    int nearLow = 255, nearHigh = 0;
    for (uint32_t z = 56; z <= 72; ++z)
        for (uint32_t x = 56; x <= 72; ++x)
            nearLow = std::min<int>(nearLow, map.at(x, z)[0]), nearHigh = std::max<int>(nearHigh, map.at(x, z)[0]);
    EXPECT_GE(nearHigh - nearLow, 4) << "flat around the vehicle's start";
}

TEST_F(AssetGeneratorTest, SkyIsDeepBlueOverheadAndLightAtTheHorizon) {
    Picture sky = loadPicture(path("textures/Sky.bmp"));
    auto rowMean = [&](uint32_t row, int channel) {
        double sum = 0;
        for (uint32_t x = 0; x < sky.width; ++x) sum += sky.at(x, row)[channel];
        return sum / sky.width;
    };
    auto brightness = [&](uint32_t row) { return rowMean(row, 0) + rowMean(row, 1) + rowMean(row, 2); };
    const uint32_t top = 0, horizon = sky.height / 2;
    EXPECT_LT(brightness(top), brightness(horizon) * 0.7);
    EXPECT_GT(rowMean(top, 2), rowMean(top, 0) + 60) << "overhead is not blue";
    EXPECT_GE(rowMean(horizon, 2), rowMean(horizon, 0));
}

TEST_F(AssetGeneratorTest, MoonMaskCoversTheDiscOnly) {
    Picture moon = loadPicture(path("textures/Moon.bmp"));
    Picture mask = loadPicture(path("textures/MoonAlpha.bmp"));
    ASSERT_EQ(std::pair(moon.width, moon.height), std::pair(mask.width, mask.height));
    const uint32_t c = moon.width / 2, last = moon.width - 1;
    EXPECT_EQ(mask.at(c, c)[0], 255);
    EXPECT_GT(moon.at(c, c)[0] + moon.at(c, c)[1] + moon.at(c, c)[2], 200) << "the disc is dark";
    for (auto [x, y] : {std::pair{0u, 0u}, {last, 0u}, {0u, last}, {last, last}})
        EXPECT_EQ(mask.at(x, y)[0] + moon.at(x, y)[0], 0) << x << ", " << y;
    // Markings: the disc is not one flat grey.
    int darkest = 255, brightest = 0;
    for (uint32_t y = c - 30; y < c + 30; ++y)
        for (uint32_t x = c - 30; x < c + 30; ++x)
            darkest = std::min<int>(darkest, moon.at(x, y)[0]), brightest = std::max<int>(brightest, moon.at(x, y)[0]);
    EXPECT_GT(brightest - darkest, 40);
}

TEST_F(AssetGeneratorTest, MenuButtonsFitTheWindowApartAndShowTheirHighlight) {
    for (int i = 0; i < menuButtonCount; ++i) {
        const MenuButtonPlace& place = menuButtonPlaces[i];
        const std::string name = place.name;
        const Picture plain = loadPicture(path(std::string("textures/") + place.normalPicture));
        const Picture selected = loadPicture(path(std::string("textures/") + place.selectedPicture));
        EXPECT_EQ(std::pair(plain.width, plain.height), std::pair(selected.width, selected.height)) << name;
        EXPECT_GE(plain.width, 100u) << name;
        EXPECT_GE(plain.height, 40u) << name;
        EXPECT_LE(place.left + static_cast<int>(plain.width), 1024) << name;
        const int top = place.bottom + static_cast<int>(plain.height);
        EXPECT_LE(top, 768) << name;
        EXPECT_TRUE(i == 0 || top < menuButtonPlaces[i - 1].bottom) << name << " overlaps the button above";

        // The highlight changes the whole face, not a few pixels.
        double difference = 0;
        for (size_t k = 0; k < plain.rgb.size(); ++k) difference += std::abs(plain.rgb[k] - selected.rgb[k]);
        EXPECT_GT(difference / plain.rgb.size(), 40) << name;

        // A label: the middle row crosses light and dark strokes several times.
        const uint32_t row = plain.height / 2;
        int crossings = 0;
        for (uint32_t x = 1; x < plain.width; ++x)
            crossings += (plain.at(x, row)[0] > 150) != (plain.at(x - 1, row)[0] > 150);
        EXPECT_GE(crossings, 6) << name << " shows no label";
    }
}

TEST_F(AssetGeneratorTest, ModelsAreTexturedLitTrianglesWithIndicesInRange) {
    for (const char* name : {"HumVee.obj", "Tree.obj"}) {
        const Model model = loadModel(name);
        EXPECT_GT(model.getVertexCount(), 20) << name;
        EXPECT_GT(model.getTexCoordCount(), 0) << name;
        EXPECT_GT(model.getNormalCount(), 0) << name;
        EXPECT_GT(model.getFaceCount(), 20) << name;
    }
}

TEST_F(AssetGeneratorTest, VehicleIsCentredOnTheGroundFacingPlusX) {
    const Axes car(loadModel("HumVee.obj"));
    ASSERT_FALSE(car.xs.empty());
    auto [minX, maxX] = std::minmax_element(car.xs.begin(), car.xs.end());
    auto [minY, maxY] = std::minmax_element(car.ys.begin(), car.ys.end());
    auto [minZ, maxZ] = std::minmax_element(car.zs.begin(), car.zs.end());
    EXPECT_NEAR(*maxX - *minX, 2.5, 0.1);
    EXPECT_NEAR(*maxX + *minX, 0, 0.05);
    EXPECT_NEAR(*maxZ + *minZ, 0, 0.05);
    EXPECT_FLOAT_EQ(*minY, 0.0f);
    EXPECT_LT(*maxZ - *minZ, *maxX - *minX) << "longer across than along";
    EXPECT_GT(*maxY, 0.6f);

    // The cab's roof stands behind the middle and the bonnet in front is lower.
    double roofX = 0;
    int roofCount = 0;
    float frontTop = 0;
    for (size_t i = 0; i < car.xs.size(); ++i) {
        if (car.ys[i] > *maxY - 0.05f) roofX += car.xs[i], ++roofCount;
        if (car.xs[i] > *maxX - 0.3f) frontTop = std::max(frontTop, car.ys[i]);
    }
    EXPECT_LT(roofX / roofCount, 0.0);
    EXPECT_LT(frontTop, *maxY - 0.2f);
}

TEST_F(AssetGeneratorTest, TreeStandsOnTheOriginAndClosesAroundItsVolume) {
    const Model model = loadModel("Tree.obj");
    const Axes tree(model);
    ASSERT_FALSE(tree.xs.empty());
    // Closed, its shadow is drawn from the faces towards the sun alone.
    EXPECT_TRUE(model.hasClosedSurface());
    EXPECT_FLOAT_EQ(*std::min_element(tree.ys.begin(), tree.ys.end()), 0.0f);
    EXPECT_NEAR(*std::max_element(tree.ys.begin(), tree.ys.end()), 1.5, 0.1);
    for (const std::vector<float>* axis : {&tree.xs, &tree.zs}) {
        auto [low, high] = std::minmax_element(axis->begin(), axis->end());
        EXPECT_NEAR(*high + *low, 0, 0.1);
        EXPECT_LT(*high - *low, 1.2f);
    }
}
