// Screen and work-area values that the windows read.
#pragma once
#include <windows.h>

struct DesktopMetricsRecord {
  int screenWidth;
  int screenHeight;
  int screenCentreX;
  int screenCentreY;
  RECT workArea;
  COLORREF menuColour;
};

extern DesktopMetricsRecord DesktopMetrics;

void RefreshDesktopMetrics();
