#include "texture/Texture.h"

#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/FatalError.h"
#include "image/Bmp.h"

namespace {

// What every holder of one file shares: the values of the Texture that
// loaded it.
struct SharedTexture {
    unsigned char* pixels;
    int width;
    int height;
    int imageWidth;
    int imageHeight;
    GLenum internalFormat;
    GLenum format;
    GLuint glName;
};

// The two cache tables, keyed by the colour file's name. They are created on
// first use and never destroyed, so a Texture that outlives main's locals
// can still release itself.
std::map<std::string, SharedTexture>& textureTable() {
    static auto* table = new std::map<std::string, SharedTexture>;
    return *table;
}

std::map<std::string, int>& referenceCounts() {
    static auto* counts = new std::map<std::string, int>;
    return *counts;
}

struct FreeDeleter {
    void operator()(unsigned char* block) const { std::free(block); }
};
// A malloc'd pixel buffer that is freed if an exception passes by.
using PixelBuffer = std::unique_ptr<unsigned char, FreeDeleter>;

// Running out of memory names the picture that asked for it.
PixelBuffer allocatePixels(std::size_t bytes, const std::string& path) {
    PixelBuffer buffer(static_cast<unsigned char*>(std::malloc(bytes)));
    if (!buffer) throw FatalError("Out of memory while loading " + path);
    return buffer;
}

// Our pictures have packed rows (width x 3 bytes), but GL reads and writes
// rows padded to 4 bytes by default, which garbles pictures 1 or 3 pixels
// wide. gluScaleImage follows both the unpack and the pack setting. The old
// values are put back so other pixel transfers keep the state they expect.
class PackedRows {
public:
    PackedRows() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
        glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    ~PackedRows() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
        glPixelStorei(GL_PACK_ALIGNMENT, pack);
    }
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;

private:
    GLint unpack = 4;
    GLint pack = 4;
};

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

Texture::Texture() = default;

Texture::Texture(const std::string& fileName) {
    load(fileName);
}

Texture::Texture(const std::string& fileName, const std::string& alphaFileName) {
    load(fileName, alphaFileName);
}

Texture::~Texture() {
    release();
}

void Texture::load(const std::string& fileName) {
    acquire(fileName, nullptr);
}

void Texture::load(const std::string& fileName, const std::string& alphaFileName) {
    acquire(fileName, &alphaFileName);
}

void Texture::acquire(const std::string& fileName, const std::string* alphaFileName) {
    // Overwriting a held file would leave its count one too high forever.
    release();

    auto shared = textureTable().find(fileName);
    if (shared != textureTable().end() && holderCount(fileName) > 0) {
        std::printf(" *** REUSING OLD TEXTURE %s\n", fileName.c_str());
        ++referenceCounts()[fileName];
    } else {
        loadNew(fileName, alphaFileName);
        shared = textureTable().find(fileName);
    }
    const SharedTexture& entry = shared->second;
    pixels = entry.pixels;
    width = entry.width;
    height = entry.height;
    imageWidth = entry.imageWidth;
    imageHeight = entry.imageHeight;
    internalFormat = entry.internalFormat;
    format = entry.format;
    glName = entry.glName;
    name = fileName;
}

// Reads, merges and uploads a file that no one holds yet and enters it into
// the cache with one holder. Everything is built in locals and entered only
// once the upload is done: a file that fails to load (missing, malformed, or
// an alpha file of another size) frees every buffer it read, leaves no table
// entry or count behind and leaves this texture empty, so a later attempt
// starts from scratch.
void Texture::loadNew(const std::string& fileName, const std::string* alphaFileName) {
    std::printf(" *** LOADING NEW TEXTURE %s\n", fileName.c_str());

    SharedTexture loaded{};
    PixelBuffer buffer(loadTexture(fileName, loaded.imageWidth, loaded.imageHeight,
                                   loaded.width, loaded.height));
    loaded.internalFormat = GL_RGB;
    loaded.format = GL_RGB;

    if (alphaFileName) {
        int alphaImageWidth = 0, alphaImageHeight = 0, alphaWidth = 0, alphaHeight = 0;
        PixelBuffer alpha(loadTexture(*alphaFileName, alphaImageWidth, alphaImageHeight,
                                      alphaWidth, alphaHeight));
        // Source sizes may differ as long as both scale to the same texture.
        if (alphaWidth != loaded.width || alphaHeight != loaded.height)
            throw FatalError("Texture and alpha channel are different sizes!");

        std::size_t count = static_cast<std::size_t>(loaded.width) * loaded.height;
        PixelBuffer rgba = allocatePixels(count * 4, "./textures/" + fileName);
        for (std::size_t i = 0; i < count; ++i) {
            rgba.get()[i * 4] = buffer.get()[i * 3];
            rgba.get()[i * 4 + 1] = buffer.get()[i * 3 + 1];
            rgba.get()[i * 4 + 2] = buffer.get()[i * 3 + 2];
            rgba.get()[i * 4 + 3] = alpha.get()[i * 3];  // the mask's red component
        }
        buffer = std::move(rgba);
        loaded.internalFormat = GL_RGBA8;
        loaded.format = GL_RGBA;
    }

    {
        PackedRows packed;
        glGenTextures(1, &loaded.glName);
        glBindTexture(GL_TEXTURE_2D, loaded.glName);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        // No mipmaps; the texture stays bound.
        glTexImage2D(GL_TEXTURE_2D, 0, loaded.internalFormat, loaded.width, loaded.height, 0,
                     loaded.format, GL_UNSIGNED_BYTE, buffer.get());
    }

    loaded.pixels = buffer.get();
    textureTable()[fileName] = loaded;
    referenceCounts()[fileName] = 1;
    buffer.release();  // now owned by the cache
}

unsigned char* Texture::loadTexture(const std::string& fileName, int& imageWidth,
                                    int& imageHeight, int& width, int& height) {
    std::string path = "./textures/" + fileName;
    Image image;
    if (!readBmp(path.c_str(), image)) throw FatalError("Error loading texture " + path);
    PixelBuffer source(image.data);

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
    if (!pixels) throw FatalError("Tried to bind a NULL texture");
    glBindTexture(GL_TEXTURE_2D, glName);
}

// Every holder comes out empty, not only the last: the pixels and GL name of
// a shared file die with its last holder, so a former holder that kept them
// could later bind a deleted texture. An empty texture refuses to bind.
void Texture::release() {
    if (name.empty()) return;

    auto count = referenceCounts().find(name);
    if (count != referenceCounts().end() && count->second > 0) --count->second;
    if ((count == referenceCounts().end() || count->second == 0) && pixels) {
        std::free(pixels);
        glDeleteTextures(1, &glName);
        textureTable().erase(name);
        referenceCounts().erase(name);
    }

    pixels = nullptr;
    name.clear();
    width = height = imageWidth = imageHeight = 0;
    internalFormat = format = GL_RGB;
    glName = 0;
}

int Texture::nextPowerOfTwo(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(std::pow(2.0, std::ceil(std::log2(static_cast<double>(n)))));
}

int Texture::holderCount(const std::string& fileName) {
    auto count = referenceCounts().find(fileName);
    return count == referenceCounts().end() ? 0 : count->second;
}

std::size_t Texture::cachedFileCount() {
    return textureTable().size();
}
