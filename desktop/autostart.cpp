#include "desktop/autostart.h"

#include "app/settings.h"
#include "framewindow/context_menu.h"

void MsgSetAutostart(WPARAM on) {
  Settings.AutoStart = static_cast<int32_t>(on);
  RefreshMenuChecks();
}
