# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# python.cmake - the Python package statscl (python/statscl), installed where
# Debian's python3 finds it for the prefix, with the description of the kinds
# and a note of where the library lies; the component python, Debian package
# python3-statscl.  Included by install.cmake.

# Relative to the prefix, where /usr/bin/python3 finds packages there, as its
# sysconfig says: its own directory under the prefix (Debian's
# lib/python3/dist-packages under /usr, lib/python3.X/dist-packages under
# /usr/local), else its scheme's directory for any other prefix (on Debian
# lib/python3/dist-packages), which a user names in PYTHONPATH.
set(STATSCL_PYTHON_DIR "" CACHE STRING
    "Where the statscl Python package is installed, relative to the prefix (empty: as python3 finds it)")
set(statscl_python_dir "${STATSCL_PYTHON_DIR}")
if(NOT statscl_python_dir)
  execute_process(COMMAND /usr/bin/python3 -c [=[
import os, sys, sysconfig
prefix, names = os.path.abspath(sys.argv[1]), sysconfig.get_scheme_names()
own = [sysconfig.get_path("purelib", s)
       for s in ("deb_system", sysconfig.get_default_scheme()) if s in names]
under = [p for p in own if os.path.commonpath([p, prefix]) == prefix]
scheme = "deb_system" if "deb_system" in names else "posix_prefix"
print(os.path.relpath(under[0] if under else sysconfig.get_path(
    "purelib", scheme, vars={"base": prefix, "platbase": prefix}), prefix))
]=] ${CMAKE_INSTALL_PREFIX}
      OUTPUT_VARIABLE statscl_python_dir ERROR_VARIABLE error RESULT_VARIABLE failed
      OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT failed STREQUAL "0" OR NOT statscl_python_dir)
    message(FATAL_ERROR "statscl: /usr/bin/python3 cannot say where it finds packages under "
                        "${CMAKE_INSTALL_PREFIX} (${failed}: ${error}).  Install python3, or "
                        "name the directory, relative to the prefix, with -DSTATSCL_PYTHON_DIR=")
  endif()
endif()
set(statscl_python_pkg ${statscl_python_dir}/statscl)

# The library's path relative to the package when it is installed outside
# the loader's own directories; inside them, the package loads it by SONAME,
# which keeps the package free of the architecture's library directory.
set(statscl_library None)
if(NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST statscl_system_dirs)
  file(RELATIVE_PATH statscl_rel ${CMAKE_INSTALL_PREFIX}/${statscl_python_pkg}
       ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
  string(REGEX REPLACE "/$" "" statscl_rel "${statscl_rel}")
  set(statscl_library "\"${statscl_rel}/$<TARGET_SONAME_FILE_NAME:statscl_convert>\"")
endif()
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/python/_installed.py CONTENT
"# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
\"\"\"Written at install: the library relative to this package, or None for the loader's search.\"\"\"
LIBRARY = ${statscl_library}
")

install(FILES python/statscl/__init__.py python/statscl/_find.py python/statscl/_kinds.py
              python/statscl/_bulk.py ${CMAKE_CURRENT_BINARY_DIR}/python/_installed.py
              docs/kinds.json docs/kinds.schema.json
        DESTINATION ${statscl_python_pkg} COMPONENT python)
list(APPEND statscl_components python)
set(statscl_package_python python3-statscl)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "libstatcl-convert${PROJECT_VERSION_MAJOR} (>= ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}), python3:any")
# As Debian's Python packages do: byte-compiled when installed and the byte
# code removed before removal, by py3compile and py3clean (python3-minimal,
# which python3 brings).
foreach(script IN ITEMS postinst=py3compile prerm=py3clean)
  string(REGEX MATCH "^([a-z]+)=([a-z0-9]+)$" script ${script})
  set(file ${CMAKE_CURRENT_BINARY_DIR}/packaging/python/${CMAKE_MATCH_1})
  file(WRITE ${file} "#!/bin/sh
set -e
if command -v ${CMAKE_MATCH_2} >/dev/null 2>&1; then
    ${CMAKE_MATCH_2} -p ${statscl_package_python}
fi
")
  list(APPEND CPACK_DEBIAN_PYTHON_PACKAGE_CONTROL_EXTRA ${file})
endforeach()
set(CPACK_COMPONENT_PYTHON_DESCRIPTION
    "record conversion for the statistics client - Python package
The statscl package decodes, encodes, diffs and clears the statistics client's
records from Python through the conversion library, field by field as
dictionaries or in bulk as numpy arrays (numpy is needed for those only).")
