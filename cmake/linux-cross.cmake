# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# Shared by the cross toolchain files: Debian's cross compiler for
# `statscl_triple`, its C library as the root to search, and qemu-user
# (`statscl_qemu`) to run what is built; `statscl_debian_architecture` is the
# target's name for dpkg, which labels the Debian packages
# (packaging/install.cmake).  By default the root is Debian's /usr/<triple>;
# with -DCMAKE_SYSROOT=<dir> it is the switch image's own root file system
# instead (headers, C library, and the libraries qemu loads).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${statscl_processor})

set(CMAKE_C_COMPILER ${statscl_triple}-gcc)
set(CMAKE_CXX_COMPILER ${statscl_triple}-g++)

if(CMAKE_SYSROOT)
  set(statscl_root ${CMAKE_SYSROOT})
else()
  set(statscl_root /usr/${statscl_triple})
endif()

set(CMAKE_FIND_ROOT_PATH ${statscl_root})
# Debian's cross compilers also search the build machine's /usr/include,
# after the target's own headers (their sysroot is /).  Compiling against the
# root as sysroot drops it: a header missing from the target's root fails the
# build instead of coming from the build machine.
if(NOT CMAKE_SYSROOT)
  set(CMAKE_SYSROOT_COMPILE ${statscl_root})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages: the root first, then CMAKE_PREFIX_PATH as given, so that a host
# finds an install of the library for this target under a prefix of its own.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_CROSSCOMPILING_EMULATOR ${statscl_qemu} -L ${statscl_root})
