list(APPEND CHERIMO_PURE_SOURCES splash/notice_rules.cpp)
list(APPEND CHERIMO_WIN32_SOURCES
  splash/notice_window.cpp
  splash/splash.cpp
  splash/splash_window.cpp)
