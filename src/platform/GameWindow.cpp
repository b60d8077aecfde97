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

#include "platform/WindowIcon.h"
#include "platform/WindowLoss.h"

namespace {

// Keeps the picture whole in the new size: the viewport follows at once, and
// the next frame is drawn for it.
void windowReshaped(int width, int height) {
    noteWindowSize(width, height);
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
    setUtf8TitleAndIdentity(argv[0]);
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
