#include "platform/GameWindow.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/KeyboardFocus.h"
#include "platform/WindowIcon.h"
#include "platform/WindowLoss.h"

namespace {

// A cardinal property's values, as many as wanted; fewer when it is shorter
// or missing.
int readCardinals(Display* display, Window window, const char* property, long* values, int wanted) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, wanted, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) != Success)
        return 0;
    const int got = type == XA_CARDINAL && format == 32 ? static_cast<int>(count) : 0;
    for (int i = 0; i < got; ++i) values[i] = reinterpret_cast<long*>(data)[i];
    if (data) XFree(data);
    return got;
}

// A window manager tells the part of the screen its panels leave free and
// the frame it put round the window only once the window is up; the window
// is then fitted again, so that it lies wholly in that part, frame and all.
// Without a window manager it was fitted to the screen when it was made.
void fitToTheDesktop() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;
    const Window root = DefaultRootWindow(display);
    long desktop = 0;
    readCardinals(display, root, "_NET_CURRENT_DESKTOP", &desktop, 1);
    if (desktop < 0 || desktop > 63) desktop = 0;
    long areas[4 * 64] = {};
    if (readCardinals(display, root, "_NET_WORKAREA", areas, 4 * 64) < 4 * (desktop + 1)) return;
    long extents[4] = {};
    readCardinals(display, window, "_NET_FRAME_EXTENTS", extents, 4);
    const long* area = areas + 4 * desktop;
    const WindowPlace place =
        openingWindowPlace({static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
                            static_cast<int>(area[3])},
                           {static_cast<int>(extents[0]), static_cast<int>(extents[1]),
                            static_cast<int>(extents[2]), static_cast<int>(extents[3])});
    if (place.width == framebufferWidth() && place.height == framebufferHeight()) return;
    XMoveResizeWindow(display, window, place.x, place.y, static_cast<unsigned>(place.width),
                      static_cast<unsigned>(place.height));
    XFlush(display);
}

// Keeps the picture whole in the new size: the viewport follows at once, and
// the next frame is drawn for it.
void windowReshaped(int width, int height) {
    static bool firstSize = true;
    noteWindowSize(width, height);
    if (firstSize) {
        firstSize = false;
        fitToTheDesktop();
    }
    const PictureRectangle picture = pictureRectangle();
    glViewport(picture.x, picture.y, picture.width, picture.height);
    glutPostRedisplay();
}

// glutCreateWindow writes the title as Latin-1 (WM_NAME); window managers
// show _NET_WM_NAME, which holds UTF-8, when it is there.
// Both programs' windows carry the class the desktop entry names
// (StartupWMClass), so a dock ties a running window to the entry and its
// icon, the process id, which a window manager needs to end a stuck one, and
// the icon itself, for the docks and window managers that see no entry.
void setUtf8TitleAndIdentity(const char* title) {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (const char* property : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(display, window, XInternAtom(display, property, False), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
    char className[] = "brellow";
    XClassHint hint{className, className};
    XSetClassHint(display, window, &hint);
    const long pid = static_cast<long>(getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    setWindowIcon(display, window);
    XFlush(display);
}

}  // namespace

void createGameWindow(int& argc, char** argv, const char* title) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    // On a screen too small for the picture the window opens smaller, of the
    // picture's shape, and wholly on the screen.
    const ScreenArea screen{0, 0, glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT)};
    const WindowPlace place = screen.width > 0 && screen.height > 0 ? openingWindowPlace(screen, {}) : WindowPlace{100, 100};
    glutInitWindowSize(place.width, place.height);
    glutInitWindowPosition(place.x, place.y);
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
    setUtf8TitleAndIdentity(argv[0]);
    watchForWindowLoss();
    watchKeyboardFocus();
    std::printf("Brellow 4 initialized.  Hi.\n");
    std::fflush(stdout);
}

void closeGameWindow() {
    // glutExit destroys every window and closes the display; freeglut's exit
    // handler then finds nothing left to do.
    stopWatchingKeyboardFocus();
    if (glutGet(GLUT_INIT_STATE)) glutExit();
}

void showFrame() {
    glutSwapBuffers();
    glFinish();
}
