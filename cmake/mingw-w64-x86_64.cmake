# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the posix-thread variant, whose
# libstdc++ has std::thread and friends), programs and tests run under Wine.
# Every executable is linked statically: it needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_STRIP x86_64-w64-mingw32-strip CACHE FILEPATH "strip for the Windows programs")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(TURNAJ_WINE wine)
if(TURNAJ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TURNAJ_WINE})
  # Wine's loader sits at 0x7d000000 and Wine maps a fixed page at 0x7ffe0000 (the shared user
  # data). The kernel starts the heap anywhere in the gigabyte above the loader, so about one
  # start in 2,000 finds the page taken ("failed to map the shared user data") and ends with
  # status 1 before the program runs. Without address randomisation (setarch -R, where the
  # system allows it) the heap starts right after the loader, every time.
  find_program(TURNAJ_SETARCH setarch)
  if(TURNAJ_SETARCH)
    execute_process(COMMAND ${TURNAJ_SETARCH} x86_64 -R true RESULT_VARIABLE setarch_status
                    OUTPUT_QUIET ERROR_QUIET)
    if(setarch_status EQUAL 0)
      set(CMAKE_CROSSCOMPILING_EMULATOR ${TURNAJ_SETARCH} x86_64 -R ${TURNAJ_WINE})
    endif()
  endif()
endif()
