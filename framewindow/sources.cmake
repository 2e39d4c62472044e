list(APPEND CHERIMO_WIN32_SOURCES
  framewindow/context_menu.cpp
  framewindow/frame_window.cpp
  framewindow/photo_frame_sources.cpp)
list(APPEND CHERIMO_PURE_SOURCES framewindow/frame_catalogue.cpp)
