#include "app/display_scale.h"

#include "app/late_libraries.h"
#include "app/scale_rules.h"

int FrameDpi = BASE_DPI;

namespace {

using DpiForWindowFunction = UINT(WINAPI*)(HWND window);
using DpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR monitor, int kind, UINT* dpiX, UINT* dpiY);
using MetricsForDpiFunction = int(WINAPI*)(int index, UINT dpi);

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : BASE_DPI;
}

// Windows 8.1 has monitors of their own DPI but no per-window call.
int DpiOfMonitor(HMONITOR monitor) {
  const auto dpiForMonitor = LateFunction<DpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
  UINT dpiX = 0, dpiY = 0;
  if (monitor && dpiForMonitor && dpiForMonitor(monitor, 0, &dpiX, &dpiY) == S_OK && dpiY > 0) {
    return static_cast<int>(dpiY);
  }
  return ScreenDpi();
}

}  // namespace

int DpiOfWindow(HWND window) {
  const auto dpiForWindow = LateFunction<DpiForWindowFunction>("user32.dll", "GetDpiForWindow");
  const UINT dpi = window && dpiForWindow ? dpiForWindow(window) : 0;
  if (dpi > 0) return static_cast<int>(dpi);
  return window ? DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : ScreenDpi();
}

int DpiOfRect(const RECT& rect) { return DpiOfMonitor(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST)); }

int SystemMetricForDpi(int index, int dpi) {
  const auto metricsForDpi = LateFunction<MetricsForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
  if (metricsForDpi) return metricsForDpi(index, static_cast<UINT>(dpi));
  // Without it the system's metrics are those of the screen's DPI.
  return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}
