#pragma once
// A picture from ./textures/ uploaded as one OpenGL 2D texture, brought to
// power-of-two size, optionally with an alpha channel from a second file.
//
// Textures are shared by file name through a process-wide cache: the first
// Texture of a file reads, scales and uploads it; every further Texture of
// that file gets the same GL texture and pixel buffer and adds one holder.
// The last holder to let go frees both and drops the file from the cache, so
// the next Texture of that file loads it afresh. The cache lives for the
// whole process and has no lock (the game has one thread).
//
// load, bind and release need the game window's GL context to be current;
// the empty constructor does not touch GL. Failures throw FatalError.
#include <GL/gl.h>

#include <cstddef>
#include <string>

#include "base/SharedByName.h"

class Texture {
public:
    // An empty texture: holds no file; bind() throws.
    Texture();
    // Loads or shares fileName, a bare name such as "Grass.bmp".
    explicit Texture(const std::string& fileName);
    // As above, with the alpha channel taken from the red component of
    // alphaFileName. Ignored when fileName is already shared.
    Texture(const std::string& fileName, const std::string& alphaFileName);
    ~Texture() = default;  // lets go of the file, as release() does

    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Loads or shares a file (see the constructors). A texture that already
    // holds a file lets go of it first.
    void load(const std::string& fileName);
    void load(const std::string& fileName, const std::string& alphaFileName);

    // Makes this the current GL_TEXTURE_2D texture; throws on an empty one.
    void bind() const;

    // Gives up this object's hold on its file and leaves it empty. Releasing
    // an empty texture does nothing.
    void release();

    // Sizes, GL name and alpha are 0 (false) for an empty texture.
    int getWidth() const { return picture ? picture->width : 0; }  // uploaded, power of two
    int getHeight() const { return picture ? picture->height : 0; }
    int getImageWidth() const { return picture ? picture->imageWidth : 0; }  // as in the file
    int getImageHeight() const { return picture ? picture->imageHeight : 0; }
    GLuint getGlName() const { return picture ? picture->glName : 0; }
    bool hasAlpha() const { return picture && picture->format == GL_RGBA; }  // uploaded with an alpha file

    // The smallest power of two not below n, for 1 <= n <= 2^30; 0 for n <= 0.
    static int nextPowerOfTwo(int n);

    // Number of Textures currently holding fileName (0 when none).
    static int holderCount(const std::string& fileName);
    // Number of files the cache currently holds.
    static std::size_t cachedFileCount();

private:
    // One file as uploaded, shared by every Texture of that file. Made by
    // the first holder: reads the file (and the alpha file), scales it to
    // power-of-two size and uploads it; throws FatalError, holding nothing,
    // when that fails. Destroyed with the last holder: frees the pixels and
    // deletes the GL texture.
    struct Picture {
        Picture(const std::string& fileName, const std::string* alphaFileName);
        ~Picture();
        Picture(const Picture&) = delete;
        Picture& operator=(const Picture&) = delete;

        unsigned char* pixels = nullptr;  // malloc'd, kept after the upload
        int width = 0;                    // uploaded, power of two
        int height = 0;
        int imageWidth = 0;               // as in the file
        int imageHeight = 0;
        GLenum internalFormat = GL_RGB;   // GL_RGB, or GL_RGBA8 with an alpha file
        GLenum format = GL_RGB;           // GL_RGB, or GL_RGBA with an alpha file
        GLuint glName = 0;
    };

    // The process-wide cache, keyed by the colour file's name.
    static SharedByName<Picture>& cache();

    // Reads ./textures/fileName and returns its pixels as a malloc'd RGB
    // buffer of power-of-two size (width x height x 3 bytes), each side at
    // most GL_MAX_TEXTURE_SIZE.
    static unsigned char* loadTexture(const std::string& fileName, int& imageWidth,
                                      int& imageHeight, int& width, int& height);

    void acquire(const std::string& fileName, const std::string* alphaFileName);

    SharedByName<Picture>::Hold picture;  // empty when the texture holds nothing
};
