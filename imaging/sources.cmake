list(APPEND CHERIMO_WIN32_SOURCES
  imaging/compositor.cpp
  imaging/surface.cpp)
