#include "app/desktop_metrics.h"

DesktopMetricsRecord DesktopMetrics;

void RefreshDesktopMetrics() {
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &DesktopMetrics.workArea, 0);
  DesktopMetrics.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  DesktopMetrics.screenCentreX = DesktopMetrics.screenWidth >> 1;
  DesktopMetrics.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  DesktopMetrics.screenCentreY = DesktopMetrics.screenHeight >> 1;
  DesktopMetrics.menuColour = GetSysColor(COLOR_MENU);
}
