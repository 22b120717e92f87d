# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# python.cmake - the Python package statscl (python/statscl), installed where
# Debian's python3 finds it for the prefix, with the description of the kinds
# and a note of where the library lies; the component python, Debian package
# python3-statscl.  Included by install.cmake.

# Relative to the prefix: /usr gives Debian's lib/python3/dist-packages,
# /usr/local python3's own dist-packages there; any other prefix
# lib/python3/dist-packages below it, which a user names in PYTHONPATH.
set(STATSCL_PYTHON_DIR "" CACHE STRING
    "Where the statscl Python package is installed, relative to the prefix (empty: as Debian's python3 would)")
set(statscl_python_dir "${STATSCL_PYTHON_DIR}")
if(NOT statscl_python_dir)
  set(statscl_python_dir lib/python3/dist-packages)
  if(EXISTS /usr/bin/python3 AND CMAKE_INSTALL_PREFIX STREQUAL "/usr/local")
    execute_process(COMMAND /usr/bin/python3 -c
        "import sysconfig as s; print(s.get_path('purelib', vars={'base': '/usr'})[11:])"
        OUTPUT_VARIABLE statscl_python_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
endif()
set(statscl_python_pkg ${statscl_python_dir}/statscl)

# The library's path relative to the package when it is installed outside
# the loader's own directories; inside them, the package loads it by SONAME,
# which keeps the package free of the architecture's library directory.
set(STATSCL_PYTHON_LIBRARY None)
if(NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST statscl_system_dirs)
  file(RELATIVE_PATH statscl_rel ${CMAKE_INSTALL_PREFIX}/${statscl_python_pkg}
       ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})
  string(REGEX REPLACE "/$" "" statscl_rel "${statscl_rel}")
  set(STATSCL_PYTHON_LIBRARY "\"${statscl_rel}/libstatcl_convert.so.${PROJECT_VERSION_MAJOR}\"")
endif()
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/python/_installed.py CONTENT
"# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
\"\"\"Written at install: the library relative to this package, or None for the loader's search.\"\"\"
LIBRARY = @STATSCL_PYTHON_LIBRARY@
" @ONLY)

install(FILES python/statscl/__init__.py python/statscl/_find.py python/statscl/_kinds.py
              python/statscl/_bulk.py ${CMAKE_CURRENT_BINARY_DIR}/python/_installed.py
              docs/kinds.json
        DESTINATION ${statscl_python_pkg} COMPONENT python)
list(APPEND statscl_components python)
set(statscl_package_python python3-statscl)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
set(CPACK_DEBIAN_PYTHON_PACKAGE_ARCHITECTURE all)
set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
    "libstatcl-convert${PROJECT_VERSION_MAJOR} (>= ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}), python3")
set(CPACK_COMPONENT_PYTHON_DESCRIPTION
    "record conversion for the statistics client - Python package
The statscl package decodes, encodes, diffs and clears the statistics client's
records from Python through the conversion library, field by field as
dictionaries or in bulk as numpy arrays (numpy is needed for those only).")
