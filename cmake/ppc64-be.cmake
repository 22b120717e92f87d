# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 64-bit big-endian PowerPC Linux (e5500 and e6500 class), ELFv1 as Debian's
# powerpc64-linux-gnu compiler builds it; programs run under qemu-ppc64.
set(statscl_triple powerpc64-linux-gnu)
set(statscl_processor ppc64)
set(statscl_qemu qemu-ppc64)
set(statscl_debian_architecture ppc64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
