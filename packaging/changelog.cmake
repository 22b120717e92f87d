# SPDX-FileCopyrightText: 2026 The statscl_convert authors
# SPDX-License-Identifier: MIT
# changelog.cmake - the Debian changelog that every package carries, made at
# configure time from CHANGELOG.md into packaging/changelog: for each release
# there ("## [X.Y.Z] - YYYY-MM-DD"), newest first, an entry of
# packaging/changelog.in whose lines are the release's ("### Added" becomes
# "  * Added:", each "- change" a "    - change").  Unreleased changes wait
# for their release.  Included by install.cmake.
function(statscl_debian_changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/packaging/changelog.in)
  file(READ ${PROJECT_SOURCE_DIR}/CHANGELOG.md text)
  file(READ ${PROJECT_SOURCE_DIR}/packaging/changelog.in template)
  set(release "\n## \\[([0-9]+\\.[0-9]+\\.[0-9]+)\\] - ([0-9]+)-([0-9]+)-([0-9]+)\n")
  set(shifts 0 3 2 5 0 3 5 1 4 6 2 4)
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  string(REGEX MATCHALL "${release}" headings "${text}")
  set(changelog "")
  foreach(heading IN LISTS headings)
    # The release's lines, up to the next heading of its level.
    string(FIND "${text}" "${heading}" at)
    string(LENGTH "${heading}" length)
    math(EXPR at "${at} + ${length} - 1")
    string(SUBSTRING "${text}" ${at} -1 changes)
    string(FIND "${changes}" "\n## " end)
    string(SUBSTRING "${changes}" 0 ${end} changes)
    string(REPLACE "\n  " "\n      " changes "${changes}")
    string(REPLACE "\n- " "\n    - " changes "${changes}")
    string(REGEX REPLACE "\n### ([^\n]*)" "\n  * \\1:" changes "${changes}")
    string(REGEX REPLACE "\n\n+" "\n" changes "${changes}")
    string(REGEX REPLACE "^\n|\n$" "" changes "${changes}")
    # The date as Debian writes it, with its day of the week (Sakamoto's
    # method, 0 for Sunday).
    string(REGEX MATCH "${release}" _ "${heading}")
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    math(EXPR month "${CMAKE_MATCH_3} - 1")
    if(month LESS 2)
      math(EXPR year "${year} - 1")
    endif()
    list(GET shifts ${month} shift)
    math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${shift} + ${CMAKE_MATCH_4}) % 7")
    list(GET weekdays ${weekday} weekday)
    list(GET months ${month} month)
    set(date "${weekday}, ${CMAKE_MATCH_4} ${month} ${CMAKE_MATCH_2} 00:00:00 +0000")
    string(CONFIGURE "${template}" entry @ONLY)
    if(changelog)
      string(APPEND changelog "\n")
    endif()
    string(APPEND changelog "${entry}")
  endforeach()
  file(WRITE ${PROJECT_BINARY_DIR}/packaging/changelog "${changelog}")
endfunction()
statscl_debian_changelog()
