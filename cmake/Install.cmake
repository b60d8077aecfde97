# Install rules in the layout of Debian's games, under any prefix:
#   games/                        launchers: brellow, brellow-menu
#   lib/games/brellow/            the programs they start
#   share/games/brellow/          textures/ and models/, written by brellow-assets
#   share/applications/, share/icons/hicolor/, share/metainfo/,
#   share/man/man6/, share/doc/brellow/
# The launchers find the other folders relative to themselves, so an install
# tree can be moved or copied as a whole.
set(BRELLOW_VERSION 4.0.0)
set(BRELLOW_DIST_SOURCE ${PROJECT_SOURCE_DIR}/dist)
set(BRELLOW_DIST_STAGE ${PROJECT_BINARY_DIR}/dist)  # files prepared for installing
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The pictures, models and icons, generated afresh whenever brellow-assets
# changes; the old folders go first, so a renamed file leaves nothing behind.
add_custom_command(OUTPUT ${BRELLOW_DIST_STAGE}/generated.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${BRELLOW_DIST_STAGE}/data ${BRELLOW_DIST_STAGE}/icons
  COMMAND brellow-assets ${BRELLOW_DIST_STAGE}/data
  COMMAND brellow-assets --icons ${BRELLOW_DIST_STAGE}/icons
  COMMAND ${CMAKE_COMMAND} -E touch ${BRELLOW_DIST_STAGE}/generated.stamp
  DEPENDS brellow-assets
  COMMENT "Writing the pictures, models and icons to install")
add_custom_target(brellow-dist-data ALL DEPENDS ${BRELLOW_DIST_STAGE}/generated.stamp)

# A launcher and a manual page per program, with the controls of
# dist/controls.tsv (cmake/Controls.cmake); their texts differ in the menu's
# lines and in what the quit key does.
include(${PROJECT_SOURCE_DIR}/cmake/Controls.cmake)
function(brellow_program_texts PROGRAM PROGRAM_ROLE MENU_CONTROLS QUIT_ACTION)
  brellow_controls(CONTROLS "${QUIT_ACTION}")
  configure_file(${BRELLOW_DIST_SOURCE}/launcher.in ${BRELLOW_DIST_STAGE}/games/${PROGRAM} @ONLY)
  configure_file(${BRELLOW_DIST_SOURCE}/${PROGRAM}.6.in ${BRELLOW_DIST_STAGE}/${PROGRAM}.6 @ONLY)
endfunction()
brellow_program_texts(brellow "brellow plays one game and exits; brellow-menu starts from a main menu."
  "" "quit")
brellow_program_texts(brellow-menu "brellow-menu shows the main menu: New Game, Resume Game and Exit."
  "  in the menu: click a button; Esc or q exits\n  in a game:\n" "back to the menu")
configure_file(${BRELLOW_DIST_SOURCE}/brellow.metainfo.xml.in ${BRELLOW_DIST_STAGE}/brellow.metainfo.xml @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${BRELLOW_DIST_SOURCE}/controls.tsv)

# The README's table of controls, rewritten from the same file by every
# build, where it differs.
add_custom_target(readme-controls ALL
  COMMAND ${CMAKE_COMMAND} -DPROJECT_SOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/ReadmeControls.cmake
  COMMENT "Checking the README's table of controls")

install(PROGRAMS ${BRELLOW_DIST_STAGE}/games/brellow ${BRELLOW_DIST_STAGE}/games/brellow-menu
  DESTINATION games)
install(TARGETS brellow brellow-menu RUNTIME DESTINATION lib/games/brellow)
install(DIRECTORY ${BRELLOW_DIST_STAGE}/data/textures ${BRELLOW_DIST_STAGE}/data/models
  DESTINATION share/games/brellow)
install(DIRECTORY ${BRELLOW_DIST_STAGE}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${BRELLOW_DIST_SOURCE}/brellow.desktop DESTINATION share/applications)
install(FILES ${BRELLOW_DIST_STAGE}/brellow.metainfo.xml DESTINATION share/metainfo)
install(FILES ${BRELLOW_DIST_STAGE}/brellow.6 ${BRELLOW_DIST_STAGE}/brellow-menu.6
  DESTINATION share/man/man6)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${BRELLOW_DIST_SOURCE}/copyright
  ${BRELLOW_DIST_SOURCE}/changelog DESTINATION share/doc/brellow)
