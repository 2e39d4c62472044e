#include "splash/splash.h"

void StartSplash() {}
void EnterHintMode() {}
void ShowHint(int) {}
