#!/bin/sh
# Configures a cross-build for 64-bit Windows in BUILD_FOLDER, with the libraries build-deps.sh makes (and
# makes them first when they are not in the cache yet):
#   configure.sh BUILD_FOLDER [CMAKE OPTIONS...]
# With -DVELTO_GUI=OFF among the options, Qt is neither built nor used.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build=$1
shift
case " $* " in
*" -DVELTO_GUI=OFF "*) gui=OFF ;;
*) gui=ON ;;
esac
VELTO_WINDOWS_QT=$gui "$here/build-deps.sh" >"$build.deps" || { rm -f "$build.deps"; exit 1; }
prefix() { sed -n "s/^$1=//p" "$build.deps"; }
roots="$(prefix pugixml);$(prefix googletest);$(prefix nlohmann-json)"
mkdir -p "$build"
# The DLLs the programs load, for the Wine runner and for packaging.
{
    [ "$gui" = ON ] && echo "$(prefix qtbase)/bin"
    echo /usr/lib/gcc/x86_64-w64-mingw32/$(x86_64-w64-mingw32-g++-posix -dumpversion)
    echo /usr/x86_64-w64-mingw32/lib
    echo /usr/x86_64-w64-mingw32/bin
} >"$build/dll-path.txt"
rm -f "$build.deps"
if [ "$gui" = ON ]; then
    qt=$(sed -n 1p "$build/dll-path.txt" | sed 's|/bin$||')
    set -- -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "$@"
else
    set -- -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" "$@"
fi
cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_FIND_ROOT_PATH="$roots" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh;$(cd "$build" && pwd)" "$@"
