# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# Runs HOST (behind EMULATOR, a command line, if any) without
# LD_LIBRARY_PATH and fails unless it exits 0 and prints exactly the lines of
# EXPECTED.
unset(ENV{LD_LIBRARY_PATH})
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
execute_process(COMMAND ${emulator} ${HOST} OUTPUT_VARIABLE out RESULT_VARIABLE status)
file(READ ${EXPECTED} want)
if(NOT status EQUAL 0 OR NOT out STREQUAL want)
  message(FATAL_ERROR "${HOST} exited ${status} and printed:\n${out}\nexpected:\n${want}")
endif()
