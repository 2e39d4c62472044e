list(APPEND CHERIMO_PURE_SOURCES
  imaging/enlarge.cpp
  imaging/exif_orientation.cpp
  imaging/extension_list.cpp
  imaging/icon_pixels.cpp
  imaging/image_header.cpp
  imaging/key_colors.cpp
  imaging/outline_scan.cpp
  imaging/photo_reductions.cpp
  imaging/reduce.cpp
  imaging/refusal.cpp
  imaging/request_slots.cpp)
list(APPEND CHERIMO_WIN32_SOURCES
  imaging/compositor.cpp
  imaging/frame_icon.cpp
  imaging/image_loader.cpp
  imaging/picture_types.cpp
  imaging/surface.cpp)
