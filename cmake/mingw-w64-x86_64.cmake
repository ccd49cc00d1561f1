# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, the variant
# with POSIX threads (std::thread and friends need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW tree and the cross Qt only,
# never from the Linux system; programs that run during the build do.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A Qt built for Windows lies outside the MinGW tree; its packages are
# looked for under its prefix too (the Makefile's `windows` target names it).
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES DUNMERROW_WINDOWS_QT)
if(DUNMERROW_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH "${DUNMERROW_WINDOWS_QT}")
    list(APPEND CMAKE_PREFIX_PATH "${DUNMERROW_WINDOWS_QT}")
endif()
