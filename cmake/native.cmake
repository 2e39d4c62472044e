# The pure logic on Linux, under AddressSanitizer and UBSan.
set(CHERIMO_SANITIZERS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
add_compile_options(${CHERIMO_SANITIZERS})
add_link_options(${CHERIMO_SANITIZERS})

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(cherimo_pure STATIC ${CHERIMO_PURE_SOURCES})
target_include_directories(cherimo_pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(cherimo_pure PRIVATE ${CHERIMO_WARNINGS} ${CHERIMO_LANGUAGE_FLAGS})

file(GLOB CHERIMO_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${CHERIMO_NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE cherimo_pure GTest::gtest_main)
target_compile_options(native_tests PRIVATE ${CHERIMO_WARNINGS})
target_precompile_headers(native_tests PRIVATE <gtest/gtest.h>)
gtest_discover_tests(native_tests TEST_PREFIX "native.")
# The product code keeps to the wide calls for paths: a check over its sources.
add_test(NAME native.narrow_path_calls COMMAND ${CMAKE_SOURCE_DIR}/tests/native/narrow_path_calls.sh)

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/CMakeLists.txt)
  add_subdirectory(tools)
endif()
