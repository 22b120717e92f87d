# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# Fails unless README.md quotes examples/first_host.c as it is, less its two
# licence lines, so that the host a reader copies is one that builds and runs.
file(READ ${SOURCE}/examples/first_host.c host)
string(REGEX REPLACE "/\\* SPDX-[^\n]*\n" "" host "${host}")
file(READ ${SOURCE}/README.md readme)
string(FIND "${readme}" "```c\n${host}```\n" at)
if(at EQUAL -1)
  message(FATAL_ERROR "README.md does not quote examples/first_host.c as it is")
endif()
