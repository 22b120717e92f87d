# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# The shared libraries that LIBRARY names as NEEDED are exactly libc and
# PLATFORM; sanitizer runtimes, in the instrumented builds, aside.
execute_process(COMMAND ${READELF} -d ${LIBRARY} OUTPUT_VARIABLE dynamic COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "Shared library: \\[[^]\n]+\\]" needed "${dynamic}")
list(TRANSFORM needed REPLACE "Shared library: \\[(.*)\\]" "\\1")
list(FILTER needed EXCLUDE REGEX "^lib(a|ub|t)san\\.so")
list(SORT needed)
set(expected libc.so.6 ${PLATFORM})
list(SORT expected)
if(NOT needed STREQUAL expected)
  message(FATAL_ERROR "NEEDED of ${LIBRARY}: ${needed}; expected only ${expected}")
endif()
message(STATUS "NEEDED: ${needed}")
