# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 32-bit ARM Linux, little-endian, hard-float (ARMv7 with VFPv3-D16, as
# Debian's armhf); programs run under qemu-arm.
set(statscl_triple arm-linux-gnueabihf)
set(statscl_processor armv7l)
set(statscl_qemu qemu-arm)
set(statscl_debian_architecture armhf)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
