# Cross-compilation for Windows with Debian's MinGW-w64, for the processor
# that the toolchain file including this one has set.
#
# The win32 thread model, not posix: the posix compilers link libstdc++
# against winpthreads, which imports GetTickCount64 (Vista), the vectored
# exception handlers (XP) and TryEnterCriticalSection (not in Windows 95).
# The Windows loader resolves every import before the first instruction, so
# one of them keeps the program from starting on the older systems at all.
# The program runs one thread and needs none of it; the tests make their few
# threads with CreateThread.
set(CMAKE_SYSTEM_NAME Windows)
set(mingw ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER   ${mingw}-gcc-win32)
set(CMAKE_CXX_COMPILER ${mingw}-g++-win32)
set(CMAKE_RC_COMPILER  ${mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
