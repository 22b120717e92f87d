# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 64-bit ARM Linux, little-endian; programs run under qemu-aarch64.
set(statscl_triple aarch64-linux-gnu)
set(statscl_processor aarch64)
set(statscl_qemu qemu-aarch64)
set(statscl_debian_architecture arm64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
