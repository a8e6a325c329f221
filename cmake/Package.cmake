# The Debian package: `cpack -G DEB` in a build folder makes velatask_<version>_<arch>.deb of what
# `cmake --install` puts under /usr. The libraries the program links come from dpkg-shlibdeps;
# what it only loads at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velatask)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velatask developers <velatask@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resident desktop task scheduler")
set(CPACK_PACKAGE_DESCRIPTION
    "Velatask sits in the system tray and, once a second, performs the task that is due: it
shows a message, starts a program, sounds a WAV alarm and types the task's script of keystrokes
into other windows. Around it sit windows to keep the task list, categories, a To Do list,
searches, printed reports and CSV import and export.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded as plug-ins, not linked: the SQLite driver, the X11 platform, the SVG icon engine that
# draws every icon of the program, and xdg-open for the manual and "START" commands.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins, libqt6svg6, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "sqlite3")
include(CPack)
