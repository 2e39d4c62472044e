// The splash picture at start, which then serves as the hint.
#pragma once

void StartSplash();
void EnterHintMode();
void ShowHint(int show);
