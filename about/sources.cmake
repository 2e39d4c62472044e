list(APPEND CHERIMO_WIN32_SOURCES
  about/link_control.cpp)
