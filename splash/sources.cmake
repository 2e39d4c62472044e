list(APPEND CHERIMO_WIN32_SOURCES
  splash/splash.cpp
  splash/splash_window.cpp)
