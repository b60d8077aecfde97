# `make package`: a Debian package of the install tree under /usr, built by
# CPack's DEB generator into the build folder as brellow_<version>_<arch>.deb.
# Its run-time dependencies come from dpkg-shlibdeps on the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brellow)
set(CPACK_PACKAGE_VERSION ${BRELLOW_VERSION})
string(REPLACE "." ";" version_parts ${BRELLOW_VERSION})
list(GET version_parts 0 CPACK_PACKAGE_VERSION_MAJOR)
list(GET version_parts 1 CPACK_PACKAGE_VERSION_MINOR)
list(GET version_parts 2 CPACK_PACKAGE_VERSION_PATCH)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brellow Developers <dev@brellow.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary is the first line of the description; the rest follows it.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small real-time 3D driving game")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Steer a vehicle with the mouse over a rolling landscape among trees and red
orbs while the sun crosses the sky and night falls with stars and a moon.
Touching an orb scores 5 points; driving into a standing tree costs 5 points
and fells it. Every object casts a shadow, computed each frame.
.
The game draws with fixed-function OpenGL, GLU and freeglut. Start it from
the desktop's menu, or as brellow (one game) or brellow-menu (the main menu).")
# Debian wants stripped programs and compressed manual pages and changelog.
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CompressForDebian.cmake)
include(CPack)
