list(APPEND CHERIMO_PURE_SOURCES
  app/path_list_rules.cpp
  app/scale_rules.cpp
  app/settings_rules.cpp
  app/startup_rules.cpp
  app/utf_text.cpp
  app/work_area_rules.cpp)
list(APPEND CHERIMO_WIN32_SOURCES
  app/desktop_metrics.cpp
  app/display_scale.cpp
  app/late_libraries.cpp
  app/path_calls.cpp
  app/settings.cpp
  app/shared_windows.cpp
  app/startup.cpp
  app/wide_text.cpp)
