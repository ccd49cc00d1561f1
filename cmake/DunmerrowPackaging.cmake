if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/DunmerrowWindowsPackaging.cmake)
    return()
endif()

# A Debian package of whatever the install() rules install, from the
# release configuration (`make package`: cmake --preset release, then cpack
# in build-release).
set(CPACK_PACKAGE_NAME "dunmerrow")
set(CPACK_PACKAGE_VENDOR "${DUNMERROW_VENDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "${DUNMERROW_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}/packages")
set(CPACK_GENERATOR "DEB")
# Installed programs keep no symbol table in the package.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Named rather than worked out with dpkg-shlibdeps so that packaging needs
# nothing beyond the build's own packages. The platform plugins are a
# separate package in Debian, and a Widgets program starts without them
# only to stop at once.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libgcc-s1, libstdc++6, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6svg6 (>= 6.4), qt6-qpa-plugins (>= 6.4)")
# In a Wayland session (GNOME's and KDE's by default) Qt runs the program as
# a Wayland client with this plugin; without it, through XWayland with the
# X11 plugin, which works too.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland (>= 6.4)")
# CPack puts the summary above this and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dunmerrow measures how long a set of batteries keeps a hand-held GPS
receiver running: it asks up to four Garmin or Magellan receivers on serial
ports for their software version every two seconds until each falls silent,
and logs how long each one ran. Dunmerrow Results reads that log back and
compares the batteries in a table and a chart.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")

include(CPack)
