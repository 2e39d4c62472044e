# The -posix variants: GoogleTest needs std::mutex, which the win32 thread model lacks.
set(CMAKE_C_COMPILER ${CHERIMO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CHERIMO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CHERIMO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${CHERIMO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and benchmarks run under Wine through a wrapper that keeps Wine's
# helper processes off CTest's pipes.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-emulator.sh)
