# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# install.cmake - install rules, the CMake package and the pkg-config file,
# and the Debian packages that CPack builds from them.
#
# Install components, one Debian package each:
#   runtime   libstatcl_convert.so.1 and its SONAME link     libstatcl-convert1
#   dev       header, link name, CMake and pkg-config files  libstatcl-convert-dev
#   platform  the platform stand-in's shared library         libstatscl-platform-standin1
#   tool      statscl and its manual page                    statscl
#   python    the Python package statscl                     python3-statscl
# Configure with -DCMAKE_INSTALL_PREFIX=/usr for packages: the library
# directory is then the multiarch one.
include(CMakePackageConfigHelpers)

# The project takes no mail: its packages name it with an address under the
# reserved domain .invalid, which says so.  A company's own builds name
# their own maintainer.
set(STATSCL_PACKAGE_MAINTAINER "The statscl_convert authors <noreply@statscl-convert.invalid>"
    CACHE STRING "Maintainer named in the Debian packages and their changelog")
set(STATSCL_PLATFORM_PACKAGE "" CACHE STRING
    "Debian package of STATSCL_PLATFORM_LIBRARY for the library's to depend on, e.g. libswitch-platform1 (>= 2)")

add_library(statscl::convert ALIAS statscl_convert)
set_target_properties(statscl_convert PROPERTIES EXPORT_NAME convert)
set(statscl_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/statscl_convert)

# Installed outside the linker's own directories, the library finds the
# platform library beside it, and the tool finds both, through a run path
# relative to themselves.  The linker reads the library's run path too, so a
# host links with nothing more than -L and -l.
set(statscl_system_dirs ${CMAKE_PLATFORM_IMPLICIT_LINK_DIRECTORIES} ${CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES})
if(NOT CMAKE_INSTALL_FULL_LIBDIR IN_LIST statscl_system_dirs)
  file(RELATIVE_PATH statscl_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(statscl_convert PROPERTIES INSTALL_RPATH "$ORIGIN")
  if(TARGET statscl)
    set_target_properties(statscl PROPERTIES INSTALL_RPATH "$ORIGIN/${statscl_bin_to_lib}")
  endif()
else()
  # Configured for the linker's own directories, they carry no run path; a
  # build installed under another prefix (cmake --install --prefix) cannot
  # find its platform library, and says so rather than fail later.
  install(CODE "
    if(NOT \"\${CMAKE_INSTALL_PREFIX}\" STREQUAL \"${CMAKE_INSTALL_PREFIX}\")
      message(WARNING \"statscl_convert was configured for ${CMAKE_INSTALL_PREFIX}, whose \"
        \"libraries need no run path, and is installed under \${CMAKE_INSTALL_PREFIX}: there \"
        \"the library does not find the platform library (nor statscl the library) without \"
        \"LD_LIBRARY_PATH.  Configure with -DCMAKE_INSTALL_PREFIX=\${CMAKE_INSTALL_PREFIX} \"
        \"to install there.\")
    endif()" COMPONENT runtime)
endif()

# A host's save and restore handlers, and the platform functions it defines
# itself, must be in its dynamic symbol table for the library to find them:
# every host linking statscl::convert, or with pkg-config's flags, exports
# them through this list of names (host_symbols.cmake; a pattern that
# pkg-config would quote if it were given on the command line).
set(statscl_exports_list ${CMAKE_INSTALL_DATADIR}/statscl_convert/host_exports.list)
target_link_options(statscl_convert INTERFACE
    "$<BUILD_INTERFACE:-Wl,--dynamic-list=${STATSCL_HOST_EXPORTS}>"
    "$<INSTALL_INTERFACE:-Wl,--dynamic-list=$<INSTALL_PREFIX>/${statscl_exports_list}>")
install(FILES ${STATSCL_HOST_EXPORTS} DESTINATION ${CMAKE_INSTALL_DATADIR}/statscl_convert
        COMPONENT dev)

install(TARGETS statscl_convert EXPORT statscl_convert_targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
install(FILES include/statscl_convert.h include/statscl_records.h include/statscl_receive.h
              platform_api/statscl_platform.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
set(statscl_components runtime dev)
if(NOT STATSCL_PLATFORM_LIBRARY)
  # The library's NEEDED entry names the stand-in's SONAME; nothing links the
  # stand-in directly, so it has no link name.
  set_target_properties(statscl_platform PROPERTIES EXPORT_NAME platform_standin)
  install(TARGETS statscl_platform EXPORT statscl_convert_targets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT platform NAMELINK_SKIP)
  list(APPEND statscl_components platform)
endif()
if(TARGET statscl)
  install(TARGETS statscl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
  list(APPEND statscl_components tool)
endif()
if(STATSCL_BUILD_PYTHON)
  include(packaging/python.cmake)
endif()

# CMake package: find_package(statscl_convert CONFIG) -> statscl::convert.
install(EXPORT statscl_convert_targets NAMESPACE statscl:: DESTINATION ${statscl_cmake_dir}
        FILE statscl_convertTargets.cmake COMPONENT dev)
configure_package_config_file(packaging/statscl_convertConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/statscl_convertConfig.cmake INSTALL_DESTINATION ${statscl_cmake_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/statscl_convertConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/statscl_convertConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/statscl_convertConfigVersion.cmake
        DESTINATION ${statscl_cmake_dir} COMPONENT dev)

# pkg-config: statscl_convert.pc.  Its prefix is found from where the file
# is, so that `cmake --install --prefix DIR` gives a usable file too.
file(RELATIVE_PATH STATSCL_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
foreach(dir LIBDIR INCLUDEDIR DATADIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
    set(STATSCL_PC_${dir} "${CMAKE_INSTALL_${dir}}")
  else()
    set(STATSCL_PC_${dir} "\${prefix}/${CMAKE_INSTALL_${dir}}")
  endif()
endforeach()
configure_file(packaging/statscl_convert.pc.in ${CMAKE_CURRENT_BINARY_DIR}/statscl_convert.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/statscl_convert.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# Debian packages.
set(statscl_package_runtime libstatcl-convert${PROJECT_VERSION_MAJOR})
set(statscl_package_dev libstatcl-convert-dev)
set(statscl_package_platform libstatscl-platform-standin${PROJECT_VERSION_MAJOR})
set(statscl_package_tool statscl)

# Each package carries its copyright file and the changelog (made from
# CHANGELOG.md), the tool's its manual page, both with the header's version,
# compressed as Debian's policy asks (gzip -9n: no name, no time stamp).
include(packaging/changelog.cmake)
configure_file(packaging/statscl.1.in ${CMAKE_CURRENT_BINARY_DIR}/packaging/statscl.1 @ONLY)
find_program(STATSCL_GZIP gzip)
if(STATSCL_GZIP)
  foreach(name changelog statscl.1)
    execute_process(COMMAND ${STATSCL_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}
                    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/packaging/${name}.gz)
  endforeach()
  foreach(component IN LISTS statscl_components)
    install(FILES packaging/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${statscl_package_${component}}
            COMPONENT ${component})
  endforeach()
  if(TARGET statscl)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/statscl.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT tool)
  endif()
endif()

set(CPACK_PACKAGE_NAME statscl-convert)
set(CPACK_PACKAGE_VENDOR "statscl_convert developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${statscl_components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${STATSCL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SOURCE statscl-convert)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps (for the tool's package; the library packages state theirs,
# below) finds the library where it is built and the platform's library
# where it is built (the stand-in) or given; the runtime package's dependency
# on the stand-in comes from the components' own dependency below, that on
# the switch platform's library from STATSCL_PLATFORM_PACKAGE.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_CURRENT_BINARY_DIR})
if(STATSCL_PLATFORM_LIBRARY)
  get_filename_component(dir ${STATSCL_PLATFORM_LIBRARY} DIRECTORY)
  list(APPEND CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${dir})
endif()
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
foreach(component IN LISTS statscl_components)
  string(TOUPPER ${component} upper)
  set(CPACK_DEBIAN_${upper}_PACKAGE_NAME ${statscl_package_${component}})
endforeach()
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PLATFORM_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)

# Each description's first line is its package's synopsis.  CPack puts a
# package-wide summary in front of every one unless that summary is left at
# its default, so it is set to the default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
    "record conversion for the statistics client
Converts the request and statistics records of fifteen kinds of switch
statistics between host and network byte order, subtracts saved baselines
from counters (software clear-counters) and routes save and restore of
persistent state to the host's handlers.  Hosts reach it through a table of
converter rows, looked up by type id.")
set(CPACK_COMPONENT_DEV_DESCRIPTION
    "record conversion for the statistics client - development files
The C header, the link name, a CMake package (find_package(statscl_convert)
giving the target statscl::convert) and a pkg-config file
(statscl_convert.pc) for hosts that use the conversion library.")
set(CPACK_COMPONENT_PLATFORM_DESCRIPTION
    "stand-in for the switch platform's library
Provides the logger, the shared text buffer and the interface-index
conversions that the conversion library calls, so that it loads and runs away
from the switch.  The logger writes to standard error.")
set(CPACK_COMPONENT_TOOL_DESCRIPTION
    "decodes and encodes captured statistics payloads
statscl lists the kinds of statistics records, decodes a captured
network-order payload into named fields through the conversion library (with
a baseline: through the kind's own diff), and encodes fields given as JSON
back into a payload.")
# Shared libraries in the linker's directories have ldconfig run by Debian's
# trigger (packaging/triggers), as policy asks.  Whenever CPack works out a
# library package's dependencies or its shlibs file itself, it also adds
# postinst and postrm scripts that call ldconfig.  So the two library
# packages state both: their shlibs file, and their C library: the newest
# glibc symbol version that any target's library needs, as
# abi/glibc-versions.txt lists them (the target gate holds every build to it).
file(STRINGS ${PROJECT_SOURCE_DIR}/abi/glibc-versions.txt statscl_glibc REGEX "GLIBC_")
string(REGEX MATCHALL "GLIBC_[0-9.]+" statscl_glibc "${statscl_glibc}")
list(TRANSFORM statscl_glibc REPLACE "GLIBC_" "")
list(SORT statscl_glibc COMPARE NATURAL ORDER DESCENDING)
list(GET statscl_glibc 0 statscl_glibc)
#
# A package built against a library package depends on it from the version
# that first had what it uses: the symbols file gives each exported name the
# MAJOR.MINOR it appeared in (for the library, the version written after its
# name in abi/exported_symbols.txt, MAJOR.0 when there is none), and the
# shlibs file, for tools that read no symbols file, asks for this MAJOR.MINOR.
# A fix release (PATCH) changes neither.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(statscl_library_runtime statcl_convert)
set(statscl_library_platform statscl_platform_standin)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS abi/exported_symbols.txt)
file(STRINGS ${PROJECT_SOURCE_DIR}/abi/exported_symbols.txt statscl_symbols_runtime)
set(statscl_symbols_platform ${statscl_platform_symbols})
foreach(component runtime platform)
  string(TOUPPER ${component} upper)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/packaging/${component})
  set(library lib${statscl_library_${component}})
  set(package ${statscl_package_${component}})
  set(symbols "${library}.so.${PROJECT_VERSION_MAJOR} ${package} #MINVER#\n")
  if(component STREQUAL runtime)
    string(APPEND symbols "* Build-Depends-Package: ${statscl_package_dev}\n")
  endif()
  foreach(line IN LISTS statscl_symbols_${component})
    separate_arguments(fields UNIX_COMMAND "${line} ${PROJECT_VERSION_MAJOR}.0")
    list(GET fields 0 name)
    list(GET fields 1 since)
    string(APPEND symbols " ${name}@Base ${since}\n")
  endforeach()
  file(WRITE ${dir}/symbols "${symbols}")
  file(WRITE ${dir}/shlibs "${library} ${PROJECT_VERSION_MAJOR} "
                           "${package} (>= ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})\n")
  set(CPACK_DEBIAN_${upper}_PACKAGE_SHLIBDEPS OFF)
  # libc, the platform's package for the library, and what the user gave.
  set(depends "libc6 (>= ${statscl_glibc})")
  if(component STREQUAL runtime AND STATSCL_PLATFORM_PACKAGE)
    string(APPEND depends ", ${STATSCL_PLATFORM_PACKAGE}")
  endif()
  if(NOT "$CACHE{CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS}" STREQUAL "")
    string(APPEND depends ", $CACHE{CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS}")
  endif()
  set(CPACK_DEBIAN_${upper}_PACKAGE_DEPENDS "${depends}")
  set(CPACK_DEBIAN_${upper}_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/packaging/triggers
                                                  ${dir}/shlibs ${dir}/symbols)
endforeach()
if(platform IN_LIST statscl_components)
  set(CPACK_COMPONENT_RUNTIME_DEPENDS platform)
endif()
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_COMPONENT_TOOL_DEPENDS runtime)
# In a cross build dpkg-shlibdeps knows none of the target's libraries (the
# cross compilers' are packages of the build machine): the tool's package
# names its C and C++ runtimes itself, those of the GCC that built it.
if(CMAKE_CROSSCOMPILING)
  string(REGEX MATCH "^[0-9]+" gcc ${CMAKE_CXX_COMPILER_VERSION})
  set(CPACK_DEBIAN_TOOL_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "libc6 (>= ${statscl_glibc}), libgcc-s1, libstdc++6 (>= ${gcc})")
endif()
# A cross build's packages are for its target, whose Debian architecture the
# toolchain file names (cmake/linux-cross.cmake); a native build's are for
# dpkg's own.  Inside another project, packaging is that project's.
if(CMAKE_CROSSCOMPILING AND NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${statscl_debian_architecture})
endif()
if(PROJECT_IS_TOP_LEVEL)
  if(CMAKE_CROSSCOMPILING AND NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
    message(WARNING "The toolchain file names no Debian architecture: give the packages theirs "
                    "with -DCPACK_DEBIAN_PACKAGE_ARCHITECTURE=<arch>")
  endif()
  include(CPack)
endif()
