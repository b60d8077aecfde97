#include "texture/Texture.h"

#include <cmath>
#include <cstdio>

#include "base/AssetPaths.h"
#include "base/FatalError.h"
#include "image/Bmp.h"

namespace {

std::string sizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

}  // namespace

SharedByName<Texture::Picture>& Texture::cache() {
    // Never destroyed, so a Texture that outlives main's locals can still
    // let go of its file.
    static auto* pictures = new SharedByName<Picture>;
    return *pictures;
}

Texture::Texture() = default;

Texture::Texture(const std::string& fileName) {
    load(fileName);
}

Texture::Texture(const std::string& fileName, const std::string& alphaFileName) {
    load(fileName, alphaFileName);
}

void Texture::load(const std::string& fileName) {
    acquire(fileName, nullptr);
}

void Texture::load(const std::string& fileName, const std::string& alphaFileName) {
    acquire(fileName, &alphaFileName);
}

void Texture::acquire(const std::string& fileName, const std::string* alphaFileName) {
    // A file held before goes first: were it this very file and its only
    // holder, it is then loaded afresh rather than shared with itself.
    release();
    picture = cache().share(fileName);
    if (picture) {
        std::printf(" *** REUSING OLD TEXTURE %s\n", fileName.c_str());
        return;
    }
    std::printf(" *** LOADING NEW TEXTURE %s\n", fileName.c_str());
    picture = cache().add(fileName, fileName, alphaFileName);
}

// A file that fails to load (missing, malformed, or an alpha file that
// scales to another size) throws from here, so nothing is entered into the
// cache and a later attempt starts from scratch. The sizes compared are the
// powers of two the pictures are scaled to; the driver's largest side, which
// the upload may still bring them down to, treats both alike.
Texture::Picture::Picture(const std::string& fileName, const std::string* alphaFileName)
    : path(texturePath(fileName)), image(readPicture(fileName)) {
    imageWidth = static_cast<int>(image.width);
    imageHeight = static_cast<int>(image.height);
    width = nextPowerOfTwo(imageWidth);
    height = nextPowerOfTwo(imageHeight);
    if (!alphaFileName) return;

    alphaImage = readPicture(*alphaFileName);
    const int alphaImageWidth = static_cast<int>(alphaImage.width);
    const int alphaImageHeight = static_cast<int>(alphaImage.height);
    const int alphaWidth = nextPowerOfTwo(alphaImageWidth), alphaHeight = nextPowerOfTwo(alphaImageHeight);
    // Source sizes may differ as long as both scale to the same texture.
    if (alphaWidth != width || alphaHeight != height)
        throw FatalError("Texture and alpha channel are different sizes!",
                         path + " is " + sizeText(imageWidth, imageHeight) + " (" + sizeText(width, height) +
                             " as uploaded), " + texturePath(*alphaFileName) + " " +
                             sizeText(alphaImageWidth, alphaImageHeight) + " (" +
                             sizeText(alphaWidth, alphaHeight) + ")");
    internalFormat = GL_RGBA8;
    format = GL_RGBA;
}

Image Texture::readPicture(const std::string& fileName) {
    const std::string path = texturePath(fileName);
    Image image;
    std::string refusal;
    if (!readBmp(path.c_str(), image, &refusal)) throw FatalError("Error loading texture " + path, refusal);
    return image;
}

// Every holder comes out empty, not only the last: the pixels and GL name of
// a shared file die with its last holder, so a former holder that kept them
// could later bind a deleted texture. An empty texture refuses to bind.
void Texture::release() {
    picture.reset();
}

int Texture::nextPowerOfTwo(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(std::pow(2.0, std::ceil(std::log2(static_cast<double>(n)))));
}

int Texture::holderCount(const std::string& fileName) {
    return cache().holderCount(fileName);
}

std::size_t Texture::cachedFileCount() {
    return cache().size();
}
