#include "app/FastPaths.h"

FastPaths fastPaths;
