# make package: a Debian package of everything make install puts in place; make windows: an installer and a
# zip of the Windows build.
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/PackageWindows.cmake)
    return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velto-configurator)
set(CPACK_PACKAGE_VENDOR "Velto-Configurator maintainers")
set(CPACK_PACKAGE_CONTACT "Velto-Configurator maintainers <maintainers@velto.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the configuration of a home-automation installation")
set(CPACK_PACKAGE_DESCRIPTION
    "Velto-Configurator describes a home-automation installation in five
tabbed grids (actuators with their groups and auxiliaries, loads, thermo
probes, cameras and F420 scenarios) and saves it to the conf.xml file
the installation is loaded from. The interface is in Italian or English.
.
The package also holds velto-conf, which checks, rewrites and exports
conf.xml files and writes installation reports from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The one run-time need that dpkg-shlibdeps cannot see: Qt loads its display plugins, without which
# the window cannot open, and libqt6gui6 only recommends them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own texts (standard buttons, file dialogs) in the interface language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
