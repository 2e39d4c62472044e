# The Windows program, its in-process library and the tests that run under Wine.
enable_language(RC)

add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)
# Two builds of one commit give the same bytes: no link time in the PE header,
# and no folder's path in the code through __FILE__ (debug information keeps
# the paths, for debugging in the build folder; the packages leave it out).
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-fmacro-prefix-map=${CMAKE_SOURCE_DIR}/= -fmacro-prefix-map=${CMAKE_BINARY_DIR}/=)
# The 32-bit compiler's own default is a Pentium Pro: x87 arithmetic and no
# vector unit, which leaves the imaging loops half as fast as in the 64-bit
# build. SSE2 is on every x86 processor since 2004, and Windows 8 and later
# require it. Options rather than initial flags, so existing build folders get them too.
# Large-address-aware: 4 GB of address space under 64-bit Windows instead of
# 2, room for a large photo's surfaces in a fragmented space.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
  add_link_options(-Wl,--large-address-aware)
endif()

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(CHERIMO_SYSTEM_LIBRARIES
  user32 gdi32 kernel32 advapi32 shell32 ole32 oleaut32 uuid comctl32 comdlg32 windowscodecs psapi version shlwapi)

add_library(cherimo_core STATIC ${CHERIMO_PURE_SOURCES} ${CHERIMO_WIN32_SOURCES})
target_include_directories(cherimo_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(cherimo_core PRIVATE ${CHERIMO_WARNINGS} ${CHERIMO_LANGUAGE_FLAGS})
target_link_libraries(cherimo_core PUBLIC ${CHERIMO_SYSTEM_LIBRARIES})

# The shipped 32-bit exe asks for the x86 common controls; the 64-bit build
# must name its own architecture or Windows refuses to start it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CHERIMO_MANIFEST_ARCH amd64)
  set(CHERIMO_MANIFEST_DEPENDENCY_ARCH amd64)
else()
  set(CHERIMO_MANIFEST_ARCH x86)
  set(CHERIMO_MANIFEST_DEPENDENCY_ARCH X86)
endif()
set(CHERIMO_MANIFEST ${CMAKE_BINARY_DIR}/resources/cherimo.manifest)
configure_file(${CMAKE_SOURCE_DIR}/resources/cherimo.manifest.in ${CHERIMO_MANIFEST} @ONLY)
# The project's version is the one source of every version the package shows.
set(CHERIMO_VERSION_HEADER ${CMAKE_BINARY_DIR}/resources/version.h)
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${CHERIMO_VERSION_HEADER} @ONLY)
# windres looks for the files named in the .rc in its include directories too.
include_directories(${CMAKE_BINARY_DIR}/resources)

set(CHERIMO_RESOURCES ${CMAKE_SOURCE_DIR}/resources/cherimo.rc)
set_property(SOURCE ${CHERIMO_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS
  ${CHERIMO_MANIFEST} ${CHERIMO_VERSION_HEADER} ${CMAKE_SOURCE_DIR}/resources/pictures.rc
  ${CMAKE_SOURCE_DIR}/resources/about.rc ${CMAKE_SOURCE_DIR}/app/texts.h)
file(GLOB CHERIMO_PICTURES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.png ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/frames/*.png
  ${CMAKE_SOURCE_DIR}/resources/thumbnails/*.png)
set_property(SOURCE ${CHERIMO_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${CHERIMO_PICTURES})

add_executable(cherimo WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp ${CHERIMO_RESOURCES})
target_link_libraries(cherimo PRIVATE cherimo_core)
target_compile_options(cherimo PRIVATE ${CHERIMO_WARNINGS} ${CHERIMO_LANGUAGE_FLAGS})
set_target_properties(cherimo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# In-process tests link the program's own code and its resources; out-of-process
# tests start the real cherimo.exe next to them.
file(GLOB CHERIMO_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)
add_library(cherimo_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/private_registry.cpp)
target_link_libraries(cherimo_test_support PUBLIC cherimo_core)
target_compile_options(cherimo_test_support PRIVATE ${CHERIMO_WARNINGS})

add_executable(wine_tests ${CHERIMO_WINE_TESTS} ${CHERIMO_RESOURCES})
target_link_libraries(wine_tests PRIVATE cherimo_test_support GTest::gtest)
target_compile_options(wine_tests PRIVATE ${CHERIMO_WARNINGS})
# Every test file reads these two headers: compiled once, they save about a quarter of the tests' build.
target_precompile_headers(wine_tests PRIVATE <windows.h> <gtest/gtest.h>)
target_compile_definitions(wine_tests PRIVATE CHERIMO_CORPUS_DIR="Z:${CMAKE_SOURCE_DIR}/tests/corpus")
add_dependencies(wine_tests cherimo)
# Every test has a process of its own: the program's state is process-wide.
# The tests share one Wine prefix and its registry, so they run one at a time.
gtest_discover_tests(wine_tests TEST_PREFIX "wine." DISCOVERY_MODE PRE_TEST
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR} PROPERTIES RESOURCE_LOCK wineprefix)
# The cases whose sizes follow the display's scale run again at 144 and 192
# DPI, each scale in a Wine prefix of its own.
set(CHERIMO_DPI_CASES
  FrameWindowTest.AtTheDisplaysScaleTheWindowPhotoOutlineAndIconsAreMadeForIt
  PlacementTest.KeysTheWheelAndTheResizeMessageResizeByFourUnitsAboutTheCentre
  FrameWindowTest.TheAboutBoxOpensAndEndsItsLinkOpensOnAClickAndTheMenuOpensItsAddresses
  OnAndOff/SplashTest.Splash*/0 OnAndOff/SplashTest.Splash*/1 OnAndOff/SplashTest.Hint*/0 OnAndOff/SplashTest.Hint*/1)
foreach(dpi 144 192)
  add_test(NAME wine.dpi${dpi} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-dpi.sh ${dpi} $<TARGET_FILE:wine_tests>
    ${CHERIMO_DPI_CASES} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  set_tests_properties(wine.dpi${dpi} PROPERTIES RESOURCE_LOCK wineprefix-dpi${dpi})
endforeach()

add_subdirectory(bench)
