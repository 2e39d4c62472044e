list(APPEND CHERIMO_WIN32_SOURCES
  about/about_box.cpp
  about/link_control.cpp)
