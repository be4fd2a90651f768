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
install(FILES ${BRAMBLEHOLT_GAME_DIR}/hei.ttf DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR})

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

# The manual page names folders under a prefix that it cannot know.
brambleholt_under_prefix(BRAMBLEHOLT_MAN_GAMEDIR PREFIX ${BRAMBLEHOLT_INSTALL_GAMEDIR})
brambleholt_under_prefix(BRAMBLEHOLT_MAN_PROGRAMDIR PREFIX ${BRAMBLEHOLT_INSTALL_PROGRAMDIR})
brambleholt_under_prefix(BRAMBLEHOLT_MAN_DOCDIR PREFIX ${_doc_dir})
configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.6.in
               ${CMAKE_BINARY_DIR}/packaging/brambleholt.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brambleholt.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

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
if(EXISTS ${BRAMBLEHOLT_FONT_COPYRIGHT})
  install(FILES ${BRAMBLEHOLT_FONT_COPYRIGHT} DESTINATION ${_doc_dir} RENAME hei.ttf.copyright)
endif()
