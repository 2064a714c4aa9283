# The Debian package (scripts/package-deb). Library dependencies are computed by dpkg-shlibdeps;
# the fonts and Qt's Japanese translations are loaded at run time, so no library names them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvenedit)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KORVEN_DEBIAN_REVISION})
set(CPACK_PACKAGE_CONTACT "${KORVEN_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "save editor for ヴァルゾン")
# CPack puts the summary first and indents these lines; an empty line becomes " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KorvenEdit edits the save files (SaveFile*.SAVE) of ヴァルゾン, a Windows 95
turn-based strategy game of the Pacific war: ship classes, ships, aircraft,
bases, science weapons, aircrew skill and the current turn. Every byte it does
not understand is written back unchanged; a save is written all or nothing and
the file it replaces is backed up first.

The package holds the editor (korvenedit) and the command-line tool
korvenedit-cli.")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://korvenedit.example.org/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_SOURCE_DIR}/dist")
include(CPack)
