# Writes OUTPUT: the notices of everything the Windows programs bundle, each with the copyright file of the
# Debian package it was built from.   cmake -D OUTPUT=FILE -D QT_VERSION=X.Y.Z -P WindowsNotices.cmake
set(parts
    "Qt ${QT_VERSION} (qtbase: Qt6Core, Qt6Gui, Qt6Widgets, Qt6PrintSupport and the platform and style plugins)|\
used under the GNU Lesser General Public License version 3 (LGPL-3.0-only), whose text and that of the GNU GPL \
version 3 it builds on follow below. The DLLs are built unmodified from Debian's source package qt6-base \
(bookworm: apt-get source qt6-base, or https://sources.debian.org/src/qt6-base/). The programs load them \
from this folder, so a user may replace them with a version of their own.|/usr/share/doc/libqt6core6/copyright"
    "pugixml (linked into both programs)|MIT licence.|/usr/share/doc/libpugixml-dev/copyright"
    "libgcrypt (libgcrypt-20.dll, the SHA-256 of the fingerprints)|GNU Lesser General Public License version 2.1 \
or later (LGPL-2.1+), whose text follows below. The DLL is Debian's libgcrypt-mingw-w64-dev, built from the source \
package libgcrypt20 (bookworm: apt-get source libgcrypt20). The programs load it from this folder, so a user may \
replace it with a version of their own.|/usr/share/doc/libgcrypt-mingw-w64-dev/copyright"
    "libgpg-error (libgpg-error-0.dll, which libgcrypt loads)|GNU Lesser General Public License version 2.1 or \
later (LGPL-2.1+). The DLL is Debian's libgpg-error-mingw-w64-dev, built from the source package libgpg-error \
(bookworm: apt-get source libgpg-error). It too may be replaced.|/usr/share/doc/libgpg-error-mingw-w64-dev/copyright"
    "JSON for Modern C++ (nlohmann-json, in velto-conf.exe)|MIT licence.|/usr/share/doc/nlohmann-json3-dev/copyright"
    "GCC runtime libraries (libstdc++-6.dll, libgcc_s_seh-1.dll)|GNU GPL version 3 with the GCC Runtime Library \
Exception, which allows shipping them with programs of any licence.|\
/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright"
    "MinGW-w64 runtime (libwinpthread-1.dll and the C runtime start-up code)|MIT and BSD-style licences, public \
domain parts.|/usr/share/doc/mingw-w64-common/copyright")

set(text "Velto-Configurator is under the MIT licence (LICENSE.txt). It bundles the following, each under its own \
licence.\n")
set(details "")
foreach(part IN LISTS parts)
    string(REPLACE "|" ";" fields "${part}")
    list(GET fields 0 name)
    list(GET fields 1 licence)
    list(GET fields 2 copyright)
    string(APPEND text "\n* ${name}: ${licence}\n")
    file(READ ${copyright} content)
    string(APPEND details "\n\n==== ${name}: the copyright file of its Debian package ====\n\n${content}")
endforeach()
foreach(licence LGPL-3 GPL-3 LGPL-2.1)
    file(READ /usr/share/common-licenses/${licence} content)
    string(APPEND details "\n\n==== ${licence} ====\n\n${content}")
endforeach()
file(WRITE ${OUTPUT} "${text}${details}")
