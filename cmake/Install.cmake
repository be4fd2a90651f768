# Install rules: the game's program goes to lib/brambleholt (architecture
# dependent), its data to share/games/brambleholt as it is assembled in the
# build, and bin/brambleholt is a small launcher that starts the program from
# the data folder. The launcher finds both relative to itself, so
# `cmake --install <build> --prefix <anywhere>` gives a working game.
# Desktop entry, icons and software-centre data share one reverse-DNS name.

include(GNUInstallDirs)

set(BRAMBLEHOLT_APP_ID org.brambleholt.brambleholt)
set(BRAMBLEHOLT_HOMEPAGE "https://brambleholt.org/" CACHE STRING
    "The game's web page, named in the software-centre data")
set(BRAMBLEHOLT_SCREENSHOT_URL "${BRAMBLEHOLT_HOMEPAGE}screenshot.png" CACHE STRING
    "Where docs/screenshot.png is published: software centres take screenshots from the web only")

set(BRAMBLEHOLT_MAINTAINER "The Brambleholt authors <authors@brambleholt.org>" CACHE STRING
    "Who answers for the game, as \"name <address>\": the packages' maintainer and the copyright file's contact")
option(BRAMBLEHOLT_SYSTEM_FONT
       "Install hei.ttf as a link to BRAMBLEHOLT_FONT_SOURCE instead of a copy, for a package that depends on the font's own package"
       OFF)

set(BRAMBLEHOLT_INSTALL_GAMEDIR ${CMAKE_INSTALL_DATADIR}/games/brambleholt)
set(BRAMBLEHOLT_INSTALL_PROGRAMDIR lib/brambleholt CACHE STRING
    "Folder of the game's program under the prefix (it is started through bin/brambleholt)")

install(TARGETS brambleholt RUNTIME DESTINATION ${BRAMBLEHOLT_INSTALL_PROGRAMDIR})
# Only the kinds of file the game reads, whatever else lands in those folders.
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/map/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/map FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/image/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/image FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/sound/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/sound FILES_MATCHING PATTERN "*.wav")
if(NOT BRAMBLEHOLT_SYSTEM_FONT)
  install(FILES ${BRAMBLEHOLT_GAME_DIR}/hei.ttf DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR})
else()
  # The prefix is known only at install time. The link is relative when it
  # stays within one top folder (/usr/share/games to /usr/share/fonts), as
  # Debian has it, so that it holds in a root mounted elsewhere too.
  install(CODE "set(_font \"${BRAMBLEHOLT_FONT_SOURCE}\")
                set(_folder \"\${CMAKE_INSTALL_PREFIX}/${BRAMBLEHOLT_INSTALL_GAMEDIR}\")")
  install(CODE [[
    string(REGEX MATCH "^/[^/]*" _folder_top "${_folder}")
    string(REGEX MATCH "^/[^/]*" _font_top "${_font}")
    if(_folder_top STREQUAL _font_top)
      file(RELATIVE_PATH _font "${_folder}" "${_font}")
    endif()
    set(_link "$ENV{DESTDIR}${_folder}/hei.ttf")
    message(STATUS "Installing: ${_link} -> ${_font}")
    file(MAKE_DIRECTORY "$ENV{DESTDIR}${_folder}")
    file(CREATE_LINK "${_font}" "${_link}" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_link}")]])
endif()

# A folder of the install as an absolute path, with `prefix` in front of a
# relative one.
function(brambleholt_under_prefix out prefix path)
  if(IS_ABSOLUTE ${path})
    set(${out} ${path} PARENT_SCOPE)
  else()
    set(${out} ${prefix}/${path} PARENT_SCOPE)
  endif()
endfunction()

# Writes the launcher (packaging/launcher.in) to `output`, for a script that
# will run from `launcher_dir`. It holds the data folder and the program
# relative to that folder.
function(brambleholt_launcher output launcher_dir data_dir program)
  file(RELATIVE_PATH BRAMBLEHOLT_DATA_FROM_LAUNCHER ${launcher_dir} ${data_dir})
  file(RELATIVE_PATH BRAMBLEHOLT_PROGRAM_FROM_LAUNCHER ${launcher_dir} ${program})
  configure_file(${PROJECT_SOURCE_DIR}/packaging/launcher.in ${output} @ONLY)
  file(CHMOD ${output} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endfunction()

# build/brambleholt starts the build's game from any folder.
brambleholt_launcher(${CMAKE_BINARY_DIR}/brambleholt ${CMAKE_BINARY_DIR}
                     ${BRAMBLEHOLT_GAME_DIR} ${BRAMBLEHOLT_GAME_DIR}/brambleholt)
# The installed one. Its paths are relative as long as the folders are (the
# defaults), so the prefix can still change at install time.
brambleholt_under_prefix(_program_dir ${CMAKE_INSTALL_PREFIX} ${BRAMBLEHOLT_INSTALL_PROGRAMDIR})
brambleholt_launcher(${CMAKE_BINARY_DIR}/packaging/bin/brambleholt ${CMAKE_INSTALL_FULL_BINDIR}
                     ${CMAKE_INSTALL_FULL_DATADIR}/games/brambleholt ${_program_dir}/brambleholt)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/bin/brambleholt DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.desktop.in
               ${CMAKE_BINARY_DIR}/packaging/${BRAMBLEHOLT_APP_ID}.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRAMBLEHOLT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The font is ours to name only where we ship a copy of it.
if(BRAMBLEHOLT_SYSTEM_FONT)
  set(BRAMBLEHOLT_PROJECT_LICENSE "MIT")
else()
  set(BRAMBLEHOLT_PROJECT_LICENSE "MIT AND (Apache-2.0 OR GPL-3.0-or-later WITH Font-exception-2.0)")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${BRAMBLEHOLT_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${BRAMBLEHOLT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(_size IN LISTS BRAMBLEHOLT_ICON_SIZES)
  install(FILES ${BRAMBLEHOLT_GAME_DIR}/icon/${_size}x${_size}/brambleholt.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${BRAMBLEHOLT_APP_ID}.png)
endforeach()

set(_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/brambleholt)

# Writes `file`.gz beside `file`, with neither name nor time in the header,
# so that the same text always gives the same bytes.
function(brambleholt_gzip file)
  execute_process(COMMAND gzip -9 -n -c ${file} OUTPUT_FILE ${file}.gz RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file} failed: ${status}")
  endif()
endfunction()

# The manual page names folders under a prefix that it cannot know.
brambleholt_under_prefix(BRAMBLEHOLT_MAN_GAMEDIR PREFIX ${BRAMBLEHOLT_INSTALL_GAMEDIR})
brambleholt_under_prefix(BRAMBLEHOLT_MAN_PROGRAMDIR PREFIX ${BRAMBLEHOLT_INSTALL_PROGRAMDIR})
brambleholt_under_prefix(BRAMBLEHOLT_MAN_DOCDIR PREFIX ${_doc_dir})
configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.6.in
               ${CMAKE_BINARY_DIR}/packaging/brambleholt.6 @ONLY)
brambleholt_gzip(${CMAKE_BINARY_DIR}/packaging/brambleholt.6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brambleholt.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The licence of our code, art, sounds and levels; the README, with the level
# file format, and the pages it links to; and the font's licence terms, which
# travel with the font wherever it is redistributed.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${_doc_dir})
install(FILES ${PROJECT_SOURCE_DIR}/docs/screenshot.png ${PROJECT_SOURCE_DIR}/docs/level1.png
              ${PROJECT_SOURCE_DIR}/docs/level2.png ${PROJECT_SOURCE_DIR}/docs/levels.md
              ${PROJECT_SOURCE_DIR}/docs/performance.md
        DESTINATION ${_doc_dir}/docs)
set(BRAMBLEHOLT_FONT_COPYRIGHT /usr/share/doc/fonts-wqy-microhei/copyright
    CACHE FILEPATH "Copyright and licence of the font, installed beside the game's README")
if(EXISTS ${BRAMBLEHOLT_FONT_COPYRIGHT} AND NOT BRAMBLEHOLT_SYSTEM_FONT)
  install(FILES ${BRAMBLEHOLT_FONT_COPYRIGHT} DESTINATION ${_doc_dir} RENAME hei.ttf.copyright)
endif()

# The copyright file in Debian's machine-readable format: the MIT licence
# (LICENSE, "Expat" in that format's names) for all of ours, and the font's
# own terms when the font is a copy rather than a link to its package.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/packaging/copyright-font
             ${PROJECT_SOURCE_DIR}/packaging/changelog)
# The terms are LICENSE from "Permission" on, each line indented by a space
# and blank lines written as a lone dot.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _licence)
string(FIND "${_licence}" "Permission is hereby granted" _terms)
string(SUBSTRING "${_licence}" ${_terms} -1 _licence)
string(STRIP "${_licence}" _licence)
string(REPLACE "\n\n" "\n.\n" _licence "${_licence}")
string(REPLACE "\n" "\n " _licence "${_licence}")
set(BRAMBLEHOLT_LICENCE_TERMS " ${_licence}")
if(BRAMBLEHOLT_SYSTEM_FONT)
  set(BRAMBLEHOLT_FONT_NOTE "hei.ttf is a link to WenQuanYi Micro Hei, which its own package
 brings with its copyright file: ${BRAMBLEHOLT_FONT_SOURCE}")
  set(BRAMBLEHOLT_FONT_TERMS "")
else()
  set(BRAMBLEHOLT_FONT_NOTE "hei.ttf is a copy of WenQuanYi Micro Hei, under its own licence below.")
  file(READ ${PROJECT_SOURCE_DIR}/packaging/copyright-font BRAMBLEHOLT_FONT_TERMS)
endif()
# From the year the project began to the year of this release.
string(SUBSTRING ${BRAMBLEHOLT_RELEASE_DATE} 0 4 BRAMBLEHOLT_COPYRIGHT_YEARS)
if(NOT BRAMBLEHOLT_COPYRIGHT_YEARS STREQUAL "2026")
  set(BRAMBLEHOLT_COPYRIGHT_YEARS 2026-${BRAMBLEHOLT_COPYRIGHT_YEARS})
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${CMAKE_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/copyright DESTINATION ${_doc_dir})

# The release history. Its first entry is the version this tree builds.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog _latest LIMIT_COUNT 1)
if(NOT _latest MATCHES "^brambleholt \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with \"${_latest}\": "
                      "add an entry for version ${PROJECT_VERSION} at the top")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog COPYONLY)
brambleholt_gzip(${CMAKE_BINARY_DIR}/packaging/changelog)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${_doc_dir})
