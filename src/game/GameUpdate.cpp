#include "game/GameUpdate.h"

#include <GL/freeglut.h>

void gameIdle() { glutPostRedisplay(); }
