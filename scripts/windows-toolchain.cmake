# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 g++. The posix thread model gives
# std::thread and std::mutex; its long double is the x87 80-bit type the calculator computes in.
# Set NUMORA_WINDOWS_SDK to the prefix scripts/windows-sdk prints (Qt and libjpeg-turbo for Windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

if(NOT NUMORA_WINDOWS_SDK AND DEFINED ENV{NUMORA_WINDOWS_SDK})
  set(NUMORA_WINDOWS_SDK $ENV{NUMORA_WINDOWS_SDK})
endif()
# try_compile projects see only the variables named here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NUMORA_WINDOWS_SDK)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${NUMORA_WINDOWS_SDK})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt built for Windows runs its code generators (moc, rcc, uic) from the host's Qt 6.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
