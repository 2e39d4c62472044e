list(APPEND CHERIMO_WIN32_SOURCES
  framewindow/context_menu.cpp
  framewindow/file_dialogs.cpp
  framewindow/frame_window.cpp
  framewindow/menu_commands.cpp
  framewindow/ornament.cpp
  framewindow/photo_frame_sources.cpp
  framewindow/photo_placement.cpp
  framewindow/photo_ways_in.cpp
  framewindow/picture_worker.cpp
  framewindow/slideshow.cpp)
list(APPEND CHERIMO_PURE_SOURCES framewindow/frame_catalogue.cpp)
list(APPEND CHERIMO_PURE_SOURCES framewindow/photo_paths.cpp)
list(APPEND CHERIMO_PURE_SOURCES framewindow/placement_rules.cpp)
list(APPEND CHERIMO_PURE_SOURCES framewindow/slide_order.cpp)
