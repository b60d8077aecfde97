#include "platform/GameWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/WindowLoss.h"

namespace {

// The window's size as the reshape callback last reported it, for the whole
// process: GLUT tells it only to that callback.
int windowPixelsWide = windowWidth;
int windowPixelsHigh = windowHeight;

// Keeps the picture whole in the new size: the viewport follows at once, and
// the next frame is drawn for it.
void windowReshaped(int width, int height) {
    windowPixelsWide = width;
    windowPixelsHigh = height;
    const PictureRectangle picture = pictureRectangle();
    glViewport(picture.x, picture.y, picture.width, picture.height);
    glutPostRedisplay();
}

// glutCreateWindow writes the title as Latin-1 (WM_NAME); window managers
// show _NET_WM_NAME, which holds UTF-8, when it is there.
void setUtf8Title(const char* title) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (const char* property : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(display, window, XInternAtom(display, property, False), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
    XFlush(display);
}

}  // namespace

PictureRectangle pictureRectangleIn(int wide, int high) {
    PictureRectangle picture;
    if (wide <= 0 || high <= 0) return {0, 0, 0, 0};
    // The wider of the two fits: bars left and right, else above and below.
    if (static_cast<long>(wide) * windowHeight > static_cast<long>(high) * windowWidth) {
        picture.height = high;
        picture.width = static_cast<int>(static_cast<long>(high) * windowWidth / windowHeight);
    } else {
        picture.width = wide;
        picture.height = static_cast<int>(static_cast<long>(wide) * windowHeight / windowWidth);
    }
    picture.x = (wide - picture.width) / 2;
    picture.y = (high - picture.height) / 2;
    return picture;
}

PictureRectangle pictureRectangle() { return pictureRectangleIn(windowPixelsWide, windowPixelsHigh); }
int framebufferWidth() { return windowPixelsWide; }
int framebufferHeight() { return windowPixelsHigh; }

void windowToPicture(int& x, int& y) {
    const PictureRectangle picture = pictureRectangle();
    if (picture.width <= 0 || picture.height <= 0) return;
    // The picture's top edge in window rows counted from the top.
    const int top = windowPixelsHigh - picture.y - picture.height;
    x = static_cast<int>((static_cast<long>(x) - picture.x) * windowWidth / picture.width);
    y = static_cast<int>((static_cast<long>(y) - top) * windowHeight / picture.height);
}

void createGameWindow(int& argc, char** argv, const char* title) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(title);
    // A held key repeats as presses alone, not as pairs of release and
    // press, so the screens tell a held key from one pressed again.
    Bool detectable = False;
    if (Display* display = glXGetCurrentDisplay()) XkbSetDetectableAutoRepeat(display, True, &detectable);
    glutIgnoreKeyRepeat(1);
    glutReshapeFunc(windowReshaped);
    glEnable(GL_BLEND);
}

void openGameWindow(int& argc, char** argv) {
    createGameWindow(argc, argv, argv[0]);
    setUtf8Title(argv[0]);
    watchForWindowLoss();
    std::printf("Brellow 4 initialized.  Hi.\n");
    std::fflush(stdout);
}

void closeGameWindow() {
    // glutExit destroys every window and closes the display; freeglut's exit
    // handler then finds nothing left to do.
    if (glutGet(GLUT_INIT_STATE)) glutExit();
}

void showFrame() {
    glutSwapBuffers();
    glFinish();
}
