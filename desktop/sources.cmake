list(APPEND CHERIMO_PURE_SOURCES
  desktop/link_paths.cpp)
list(APPEND CHERIMO_WIN32_SOURCES
  desktop/autostart.cpp
  desktop/presence.cpp
  desktop/shortcuts.cpp
  desktop/tray_icon.cpp)
