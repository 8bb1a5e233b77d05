#!/bin/sh
# Cross-builds, from Debian's own sources, the libraries the Windows build links: qtbase, pugixml and
# GoogleTest (nlohmann-json is only headers and is installed beside them). Each goes into its own folder under
# $VELTO_WINDOWS_CACHE (default ~/.cache/velto-windows), named after the MinGW version, the source version and a
# hash of the options; a folder that is already there is used as it is. Prints the prefixes' paths on its last
# lines as NAME=PATH. JOBS sets the parallel jobs (default: every core); VELTO_WINDOWS_QT=OFF leaves Qt out.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
toolchain="$here/mingw-toolchain.cmake"
cache=${VELTO_WINDOWS_CACHE:-$HOME/.cache/velto-windows}
jobs=${JOBS:-$(nproc)}
mkdir -p "$cache/src"

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# Debian's MinGW packages give the exact compiler version that goes into every key.
mingw=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix | tr -c 'A-Za-z0-9.+\n' '_')

# apt-get source needs a deb-src entry for bookworm; one is added when there is none.
ensure_deb_src() {
    if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            | $sudo tee /etc/apt/sources.list.d/velto-deb-src.sources >/dev/null
        $sudo apt-get update -qq
    fi
}

# fetch PACKAGE: unpacks Debian's source of PACKAGE under $cache/src and prints its folder. Two runs at once
# unpack it once: the second waits for the first, and a folder is there only once it is whole.
fetch() {
    version=$(apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -1)
    upstream=$(echo "$version" | sed 's/^[0-9]*://; s/-[^-]*$//')
    folder="$cache/src/$1-$upstream"
    exec 8>"$cache/src/.lock"
    flock 8
    if [ ! -d "$folder" ]; then
        rm -rf "$folder.partial"
        (cd "$cache/src" && apt-get source -qq --download-only "$1=$version" >/dev/null &&
            dpkg-source --no-check -x "$(ls "$1"_"$upstream"*.dsc | head -1)" "$folder.partial" >/dev/null) &&
            mv "$folder.partial" "$folder" || exit 1
    fi
    exec 8>&-
    echo "$folder"
}

# build NAME PACKAGE OPTIONS...: configures, builds and installs one source package, once per key.
build() {
    name=$1 package=$2
    shift 2
    source=$(fetch "$package")
    key=$(printf "%s\n" "$@" | sha256sum | cut -c1-12)
    prefix="$cache/$name-$(basename "$source" | sed "s/^$package-//")-mingw$mingw-$key"
    # Two runs at once build each library once: the second waits for the first.
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.complete" ]; then
        echo "Building $name for Windows into $prefix" >&2
        # A build that was stopped goes on where it stopped.
        rm -rf "$prefix"
        cmake -S "$source" -B "$prefix.build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >&2
        cmake --build "$prefix.build" -j"$jobs" >&2
        cmake --install "$prefix.build" >&2
        rm -rf "$prefix.build"
        touch "$prefix/.complete"
    fi
    exec 9>&-
    echo "$name=$prefix"
}

ensure_deb_src
build pugixml pugixml -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
build googletest googletest -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
build nlohmann-json nlohmann-json3 -DJSON_BuildTests=OFF -DJSON_Install=ON
[ "${VELTO_WINDOWS_QT:-ON}" = ON ] || exit 0
# qtbase: the modules the program uses, every third-party library bundled (the +dfsg tarball has them all but
# wintab, hence no tablet events), OpenGL left out as an input (FEATURE_opengl=OFF alone leaves dynamicgl on).
build qtbase qt6-base -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DBUILD_SHARED_LIBS=ON \
    -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF -DFEATURE_system_libb64=OFF
