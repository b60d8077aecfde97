#pragma once
// A picture from ./textures/ as one OpenGL 2D texture, brought to
// power-of-two size, optionally with an alpha channel from a second file.
//
// Textures are shared by file name through a process-wide cache: the first
// Texture of a file reads it (and its alpha file) and checks it; every
// further Texture of that file shares the same picture and adds one holder.
// The picture is scaled and uploaded the first time any holder binds it
// (TextureUpload.cpp), so loading needs no GL context and a program that
// never draws links no GL. The last holder to let go frees the pixels and
// the GL texture and drops the file from the cache, so the next Texture of
// that file loads it afresh. The cache lives for the whole process and has
// no lock (the game has one thread).
//
// bind, and the release of a picture that was bound, need the game window's
// GL context to be current. Failures throw FatalError: those of the files
// while loading, as the constructors and load say.
#include <GL/gl.h>

#include <cstddef>
#include <string>

#include "base/SharedByName.h"
#include "base/UploadedName.h"
#include "image/Image.h"

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

    // Makes this the current GL_TEXTURE_2D texture, uploading the picture
    // the first time any holder binds it; throws on an empty one.
    void bind() const;

    // Gives up this object's hold on its file and leaves it empty. Releasing
    // an empty texture does nothing.
    void release();

    // Sizes, GL name and alpha are 0 (false) for an empty texture.
    // The texture's size: the next powers of two of the file's, and from the
    // upload on as uploaded, where a side past the driver's largest comes
    // down to it.
    int getWidth() const { return picture ? picture->width : 0; }
    int getHeight() const { return picture ? picture->height : 0; }
    int getImageWidth() const { return picture ? picture->imageWidth : 0; }  // as in the file
    int getImageHeight() const { return picture ? picture->imageHeight : 0; }
    GLuint getGlName() const { return picture ? picture->glName.get() : 0; }  // 0 until first bound
    bool hasAlpha() const { return picture && picture->format == GL_RGBA; }  // with an alpha file

    // The smallest power of two not below n, for 1 <= n <= 2^30; 0 for n <= 0.
    static int nextPowerOfTwo(int n);

    // Number of Textures currently holding fileName (0 when none).
    static int holderCount(const std::string& fileName);
    // Number of files the cache currently holds.
    static std::size_t cachedFileCount();

private:
    // One file, shared by every Texture of that file. Made by the first
    // holder: reads the file (and the alpha file) and checks that both
    // scale to one size; throws FatalError, holding nothing, when that fails.
    // The first bind scales, merges and uploads it (TextureUpload.cpp).
    // Destroyed with the last holder: frees the pixels and, once uploaded,
    // deletes the GL texture.
    struct Picture {
        Picture(const std::string& fileName, const std::string* alphaFileName);
        Picture(const Picture&) = delete;
        Picture& operator=(const Picture&) = delete;

        // Scales the pictures as read to the texture's size, takes the alpha
        // from the mask's red component and uploads the result; the pictures
        // as read go, the uploaded pixels stay. Needs the GL context.
        void upload();

        std::string path;                 // ./textures/ and the file's name, for errors
        Image image;                      // as read, until the upload
        Image alphaImage;                 // the alpha file as read, until the upload; empty without one
        PixelBuffer pixels;               // as uploaded, kept from the upload on
        int width = 0;                    // see getWidth
        int height = 0;
        int imageWidth = 0;               // as in the file
        int imageHeight = 0;
        GLenum internalFormat = GL_RGB;   // GL_RGB, or GL_RGBA8 with an alpha file
        GLenum format = GL_RGB;           // GL_RGB, or GL_RGBA with an alpha file
        UploadedName glName;              // from the first bind on
    };

    // The process-wide cache, keyed by the colour file's name.
    static SharedByName<Picture>& cache();

    // Reads ./textures/fileName; throws FatalError "Error loading texture
    // <path>" when it cannot.
    static Image readPicture(const std::string& fileName);

    void acquire(const std::string& fileName, const std::string* alphaFileName);

    SharedByName<Picture>::Hold picture;  // empty when the texture holds nothing
};
