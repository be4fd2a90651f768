# Install rules: the runtime folder goes to share/games/brambleholt as it is
# assembled in the build, and bin/brambleholt is a small launcher that starts
# the game from there. The launcher finds that folder relative to itself, so
# `cmake --install <build> --prefix <anywhere>` gives a working game.

include(GNUInstallDirs)

set(BRAMBLEHOLT_INSTALL_GAMEDIR ${CMAKE_INSTALL_DATADIR}/games/brambleholt)

install(TARGETS brambleholt RUNTIME DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR})
# Only the kinds of file the game reads, whatever else lands in those folders.
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/map/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/map FILES_MATCHING PATTERN "*.txt")
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/image/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/image FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${BRAMBLEHOLT_GAME_DIR}/sound/
        DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR}/sound FILES_MATCHING PATTERN "*.wav")
install(FILES ${BRAMBLEHOLT_GAME_DIR}/hei.ttf DESTINATION ${BRAMBLEHOLT_INSTALL_GAMEDIR})

# Relative as long as both folders are (the GNUInstallDirs defaults), so the
# prefix can still change at install time.
file(RELATIVE_PATH BRAMBLEHOLT_DATA_FROM_BIN
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/games/brambleholt)
configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.in
               ${CMAKE_BINARY_DIR}/packaging/brambleholt @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/brambleholt DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/brambleholt.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BRAMBLEHOLT_GAME_DIR}/icon/brambleholt.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(_doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/brambleholt)

# The manual page names folders under a prefix that it cannot know.
function(brambleholt_man_path out path)
  if(IS_ABSOLUTE ${path})
    set(${out} ${path} PARENT_SCOPE)
  else()
    set(${out} "PREFIX/${path}" PARENT_SCOPE)
  endif()
endfunction()
brambleholt_man_path(BRAMBLEHOLT_MAN_GAMEDIR ${BRAMBLEHOLT_INSTALL_GAMEDIR})
brambleholt_man_path(BRAMBLEHOLT_MAN_DOCDIR ${_doc_dir})
configure_file(${PROJECT_SOURCE_DIR}/packaging/brambleholt.6.in
               ${CMAKE_BINARY_DIR}/packaging/brambleholt.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/brambleholt.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The README, with the level file format, and the font's licence terms,
# which travel with the font wherever it is redistributed.
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${_doc_dir})
set(BRAMBLEHOLT_FONT_COPYRIGHT /usr/share/doc/fonts-wqy-microhei/copyright
    CACHE FILEPATH "Copyright and licence of the font, installed beside the game's README")
if(EXISTS ${BRAMBLEHOLT_FONT_COPYRIGHT})
  install(FILES ${BRAMBLEHOLT_FONT_COPYRIGHT} DESTINATION ${_doc_dir} RENAME hei.ttf.copyright)
endif()
