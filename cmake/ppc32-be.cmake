# Cross build for 32-bit big-endian PowerPC Linux; programs run under qemu-ppc.
# By default it builds against Debian's powerpc-linux-gnu C library; with
# -DCMAKE_SYSROOT=<dir> it builds against the switch image's own root file
# system instead (headers, C library, and the libraries qemu-ppc loads).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)

set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)

if(CMAKE_SYSROOT)
  set(ppc32_root ${CMAKE_SYSROOT})
else()
  set(ppc32_root /usr/powerpc-linux-gnu)
endif()

set(CMAKE_FIND_ROOT_PATH ${ppc32_root})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages: the sysroot first, then CMAKE_PREFIX_PATH as given, so that a
# host finds a PowerPC install of the library under a prefix of its own.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L ${ppc32_root})
