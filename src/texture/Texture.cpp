#include "texture/Texture.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "base/AssetPaths.h"
#include "base/FatalError.h"
#include "platform/GlStateScope.h"
#include "image/Bmp.h"

namespace {

// Running out of memory names the picture that asked for it.
PixelBuffer allocatePixels(std::size_t bytes, const std::string& path) {
    PixelBuffer buffer(static_cast<unsigned char*>(std::malloc(bytes)));
    if (!buffer) throw FatalError("Out of memory while loading " + path);
    return buffer;
}

// Our pictures have packed rows (width x 3 bytes), but GL reads and writes
// rows padded to 4 bytes by default, which garbles pictures 1 or 3 pixels
// wide. gluScaleImage follows both the unpack and the pack setting. The old
// values come back with the scope, so other pixel transfers keep the state
// they expect.
class PackedRows {
public:
    PackedRows() : saved(0, GL_CLIENT_PIXEL_STORE_BIT) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }

private:
    GlStateScope saved;
};

std::string sizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// The side a picture's side is scaled to: the next power of two, but no
// more than the driver takes, so a picture wider than that is scaled down
// and shown instead of being refused by glTexImage2D.
int textureSide(int imageSide) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    int side = Texture::nextPowerOfTwo(imageSide);
    return limit > 0 && side > limit ? limit : side;
}

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

// Everything is built in locals and kept only once the upload is done: a
// file that fails to load (missing, malformed, or an alpha file of another
// size) frees every buffer it read and enters nothing into the cache, so a
// later attempt starts from scratch.
Texture::Picture::Picture(const std::string& fileName, const std::string* alphaFileName) {
    PixelBuffer buffer(loadTexture(fileName, imageWidth, imageHeight, width, height));

    if (alphaFileName) {
        int alphaImageWidth = 0, alphaImageHeight = 0, alphaWidth = 0, alphaHeight = 0;
        PixelBuffer alpha(loadTexture(*alphaFileName, alphaImageWidth, alphaImageHeight,
                                      alphaWidth, alphaHeight));
        // Source sizes may differ as long as both scale to the same texture.
        if (alphaWidth != width || alphaHeight != height)
            throw FatalError("Texture and alpha channel are different sizes!",
                             texturePath(fileName) + " is " + sizeText(imageWidth, imageHeight) + " (" +
                                 sizeText(width, height) + " as uploaded), " + texturePath(*alphaFileName) + " " +
                                 sizeText(alphaImageWidth, alphaImageHeight) + " (" +
                                 sizeText(alphaWidth, alphaHeight) + ")");

        std::size_t count = static_cast<std::size_t>(width) * height;
        PixelBuffer rgba = allocatePixels(count * 4, texturePath(fileName));
        for (std::size_t i = 0; i < count; ++i) {
            rgba.get()[i * 4] = buffer.get()[i * 3];
            rgba.get()[i * 4 + 1] = buffer.get()[i * 3 + 1];
            rgba.get()[i * 4 + 2] = buffer.get()[i * 3 + 2];
            rgba.get()[i * 4 + 3] = alpha.get()[i * 3];  // the mask's red component
        }
        buffer = std::move(rgba);
        internalFormat = GL_RGBA8;
        format = GL_RGBA;
    }

    PackedRows packed;
    glGenTextures(1, &glName);
    glBindTexture(GL_TEXTURE_2D, glName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // No mipmaps; the texture stays bound.
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 buffer.get());
    pixels = buffer.release();
}

Texture::Picture::~Picture() {
    std::free(pixels);
    glDeleteTextures(1, &glName);
}

unsigned char* Texture::loadTexture(const std::string& fileName, int& imageWidth,
                                    int& imageHeight, int& width, int& height) {
    const std::string path = texturePath(fileName);
    Image image;
    std::string refusal;
    if (!readBmp(path.c_str(), image, &refusal)) throw FatalError("Error loading texture " + path, refusal);
    PixelBuffer source = std::move(image.data);

    imageWidth = static_cast<int>(image.width);
    imageHeight = static_cast<int>(image.height);
    width = textureSide(imageWidth);
    height = textureSide(imageHeight);
    if (width == imageWidth && height == imageHeight) return source.release();

    // Scaled once here, so drawing never deals with odd sizes.
    PixelBuffer target = allocatePixels(static_cast<std::size_t>(width) * height * 3, path);
    PackedRows packed;
    if (gluScaleImage(GL_RGB, imageWidth, imageHeight, GL_UNSIGNED_BYTE, source.get(), width,
                      height, GL_UNSIGNED_BYTE, target.get()) != 0)
        throw FatalError("Error loading texture " + path);
    return target.release();
}

void Texture::bind() const {
    if (!picture) throw FatalError("Tried to bind a NULL texture");
    glBindTexture(GL_TEXTURE_2D, picture->glName);
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
