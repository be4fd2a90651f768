# The Debian package, made by CPack from what `cmake --install` gives (see
# scripts/package, which configures a build for it). Its name, version,
# description and addresses come from the project's own metadata; its
# dependencies on shared libraries from dpkg-shlibdeps, which reads what the
# program links.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brambleholt)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# Read here: CPack's own reading of a description file writes an apostrophe
# as an XML entity.
file(READ ${PROJECT_SOURCE_DIR}/packaging/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/description)
set(CPACK_PACKAGE_HOMEPAGE_URL ${BRAMBLEHOLT_HOMEPAGE})
set(CPACK_PACKAGE_CONTACT ${BRAMBLEHOLT_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(BRAMBLEHOLT_SYSTEM_FONT)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wqy-microhei)
endif()

# The package installs where the build was configured to (scripts/package
# says /usr); CPack installs into its staging folder through DESTDIR.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

include(CPack)
