# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# Compares the defined dynamic symbols of LIBRARY with the names in the file
# EXPECTED, or with the list NAMES.
execute_process(COMMAND ${NM} -D --defined-only --format=posix ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "(^|\n)[^ \n]+" names "${listing}")
list(TRANSFORM names STRIP)
list(SORT names)
if(DEFINED NAMES)
  set(expected ${NAMES})
  set(EXPECTED "the list")
else()
  file(STRINGS ${EXPECTED} expected)
  # A name may be followed by the version that it first appeared in.
  list(TRANSFORM expected REPLACE " .*" "")
endif()
list(SORT expected)
set(extra ${names})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${names})
list(LENGTH names count)
if(extra OR missing)
  message(FATAL_ERROR "exported symbols differ from ${EXPECTED}\n  not expected: ${extra}\n  missing: ${missing}")
endif()
message(STATUS "${count} exported symbols, as expected")
