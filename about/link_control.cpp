#include "about/link_control.h"

void InitLinkControl() {}
