#include "framewindow/photo_frame_sources.h"

#include "app/ids.h"
#include "app/settings.h"

void MsgSetPhoto(WPARAM, LPARAM) {}

void MsgSetFrame(WPARAM source, LPARAM) {
  if (source <= IMAGE_SOURCE_MAX_RESOURCE_ID) Settings.FrameID = static_cast<int32_t>(source);
}
