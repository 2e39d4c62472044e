list(APPEND CHERIMO_WIN32_SOURCES
  framewindow/context_menu.cpp
  framewindow/frame_window.cpp
  framewindow/photo_frame_sources.cpp)
