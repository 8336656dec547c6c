# The Debian package: `cpack -G DEB` in a build dir configured for the /usr prefix
# (scripts/package.sh does it all).
set(CPACK_PACKAGE_NAME tarnconfig)
set(CPACK_PACKAGE_VENDOR "the Tarnconfig developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "editor for the configuration folder of a broadcast audio unit")
set(CPACK_PACKAGE_DESCRIPTION
  "Tarnconfig edits the configuration folder of a broadcast audio unit with
two digital mixers (AES3 side and IP side, 64 inputs by 32 outputs, four
control slots per crosspoint): crosspoint and output loop control
assignments, meter sources and the compressor. It reads the folder's
control description files and channel name lists and writes its binary
configuration files.

The package also holds tarnctl, which shows, checks, compares, exports and
imports configuration folders from the command line.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://tarnconfig.org/)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian revision 1 of the upstream version; the top entry of packaging/changelog names it.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarnconfig developers <maintainers@tarnconfig.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the X11 platform plugin comes with libqt6gui6, the
# Wayland one is a package of its own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
# The grids' fixed-pitch font of exactly 6 pixels.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")

include(CPack)
