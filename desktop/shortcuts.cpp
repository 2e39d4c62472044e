#include "desktop/shortcuts.h"

void PlaceShortcut(int) {}
