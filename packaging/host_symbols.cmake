# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# host_symbols.cmake - the names of what a host may define for the library,
# read from their one list, platform_api/host_symbols.h:
#   statscl_handler_slots     the operations that call a kind's handlers
#   statscl_platform_symbols  the platform's symbols
# and what is made from them: the hosts' export list, STATSCL_HOST_EXPORTS
# (in the build tree; installed by install.cmake), and the stand-in's
# version script.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/platform_api/host_symbols.h)
file(READ ${PROJECT_SOURCE_DIR}/platform_api/host_symbols.h statscl_text)
foreach(list handler_slots platform_symbols)
  # The macro's lines: those that end in a backslash, and the one after them.
  string(TOUPPER ${list} macro)
  string(REGEX MATCH "#define STATSCL_${macro}\\(X\\)([^\n]*\\\\\n)*[^\n]*" block "${statscl_text}")
  string(REGEX MATCHALL "X\\([A-Za-z_0-9]+" names "${block}")
  list(TRANSFORM names REPLACE "^X\\(" "")
  if(NOT names)
    message(FATAL_ERROR "platform_api/host_symbols.h: no STATSCL_${macro} list")
  endif()
  set(statscl_${list} ${names})
endforeach()

set(statscl_host_exports "")
foreach(slot IN LISTS statscl_handler_slots)
  string(APPEND statscl_host_exports " statscl_*_${slot}_hdlr;")
endforeach()
foreach(name IN LISTS statscl_platform_symbols)
  string(APPEND statscl_host_exports " ${name};")
endforeach()
set(STATSCL_HOST_EXPORTS ${PROJECT_BINARY_DIR}/packaging/host_exports.list)
configure_file(${PROJECT_SOURCE_DIR}/packaging/host_exports.list.in ${STATSCL_HOST_EXPORTS} @ONLY)

# The stand-in exports the platform's symbols and nothing else, as the
# platform's own library does: whatever else is linked into it (an
# instrumented build's runtime, say) stays local.
if(NOT STATSCL_PLATFORM_LIBRARY)
  list(JOIN statscl_platform_symbols "; " statscl_text)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/standin.map
       CONTENT "{ global: ${statscl_text}; local: *; };\n")
  target_link_options(statscl_platform PRIVATE
                      -Wl,--version-script=${PROJECT_BINARY_DIR}/packaging/standin.map)
  set_property(TARGET statscl_platform APPEND PROPERTY LINK_DEPENDS
               ${PROJECT_BINARY_DIR}/packaging/standin.map)
endif()
