# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# 32-bit big-endian PowerPC Linux, the switch's own CPU; programs run under
# qemu-ppc.
set(statscl_triple powerpc-linux-gnu)
set(statscl_processor powerpc)
set(statscl_qemu qemu-ppc)
set(statscl_debian_architecture powerpc)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
