set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CHERIMO_MINGW_TRIPLE i686-w64-mingw32)
# The compiler's own default is a Pentium Pro: x87 arithmetic and no vector
# unit, which leaves the imaging loops half as fast as in the 64-bit build.
# SSE2 is on every x86 processor since 2004 and Windows 8 and later require
# it; the stack is realigned for it where Windows calls in with 4-byte alignment.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
