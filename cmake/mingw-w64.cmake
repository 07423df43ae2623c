# Cross build for 64-bit Windows with mingw-w64 on Linux:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The executables are linked statically (libstdc++, libgcc, winpthread), so
# a folder with the .exe and Data/ is all they need; Wine runs them here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMOR_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model gives std::thread and friends; fall back to the
# win32 model, then to the unsuffixed driver.
foreach(suffix -posix -win32 "")
  find_program(VELMOR_MINGW_CXX ${VELMOR_MINGW_PREFIX}-g++${suffix})
  if(VELMOR_MINGW_CXX)
    find_program(VELMOR_MINGW_CC ${VELMOR_MINGW_PREFIX}-gcc${suffix})
    break()
  endif()
endforeach()
if(NOT VELMOR_MINGW_CXX)
  message(FATAL_ERROR "mingw-w64 is not installed (x86_64-w64-mingw32-g++ not found)")
endif()
set(CMAKE_CXX_COMPILER ${VELMOR_MINGW_CXX})
if(VELMOR_MINGW_CC)
  set(CMAKE_C_COMPILER ${VELMOR_MINGW_CC})
endif()
set(CMAKE_RC_COMPILER ${VELMOR_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELMOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets CTest run the cross-built test programs.
find_program(VELMOR_WINE NAMES wine wine64)
if(VELMOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMOR_WINE})
endif()
