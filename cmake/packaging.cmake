# The packages `cpack` makes of what cmake/install.cmake installs, with project()'s version:
# orlith_<version>_amd64.deb on Linux, orlith-<version>-windows-x64.zip from the MinGW-w64 build.
# scripts/package.sh makes both.
set(ORLITH_PACKAGE_MAINTAINER "The Orlith developers <orlith@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME orlith)
set(CPACK_PACKAGE_VENDOR "The Orlith developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "create, delete and modify the navaids of FS2002")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME orlith-${PROJECT_VERSION}-windows-x64)
  # Unpacked straight into the FS2002 folder: no folder of its own around the files.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORLITH_PACKAGE_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # dpkg-shlibdeps declares the libraries the programs link (Qt 6, the C++ library).
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The extended description; the summary above is its first line.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Orlith creates, deletes and modifies the radio navigation aids (NDB, VOR and
ILS) of the flight simulator FS2002 at a position you type. It creates a
NavAid by writing a one-NavAid BGL scenery file, and deletes the simulator's
own NavAids by appending an exclusion switch to scenery.cfg, which it backs up
to scenery.org before every change.
.
This package holds the command line program orlith-cli, which also runs batch
files and imports OurAirports' navaids.csv, and the Qt 6 desktop program
orlith with the menu and dialogs of the Windows program.")
endif()

include(CPack)
