# Cross-compiles for 64-bit Windows with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEMBLOR_MINGW_TRIPLE x86_64-w64-mingw32)
# The posix thread model: the win32 one lacks std::thread and std::mutex in GCC 12.
set(CMAKE_C_COMPILER ${ZEMBLOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMBLOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMBLOR_MINGW_TRIPLE}-windres)

# Headers and libraries from the target's sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEMBLOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
