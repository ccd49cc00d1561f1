#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own qt6-base source package,
# with Debian's MinGW-w64 and Debian's host Qt tools, once per machine.
#
#   tools/windows/build-cross-qt.sh            # builds if not cached; prints the prefix
#   tools/windows/build-cross-qt.sh --prefix   # prints the prefix only
#
# The result lives outside any clone, in a directory named after the Qt
# version, the configure options and the compiler, so that every clone and
# every CI run on this machine reuses it and a change to any of them builds
# a new one. Building takes about half an hour on two cores.
set -euo pipefail

QT_VERSION=6.4.2
CACHE_ROOT=${DUNMERROW_CROSS_CACHE:-/var/cache/dunmerrow}
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake

# What the program needs of Qt: Core, Gui, Widgets and Test, with the
# Windows platform plugin. Everything else is left out to keep the build
# short. Debian's source lacks wintab (tablet events) and iaccessible2;
# direct2d must stay on, or qwindows.dll does not link.
CONFIGURE_OPTIONS=(
    -release -xplatform win32-g++
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-zstd -no-glib
    -no-feature-tabletevent -no-feature-sql -no-feature-network
    -no-feature-printsupport -no-feature-concurrent -no-feature-xml
    -no-feature-vulkan -no-feature-androiddeployqt
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
)

PACKAGES=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools cmake ninja-build
          dpkg-dev xz-utils)

compiler_version() { x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null || echo none; }

cache_key() {
    printf '%s\n' "$QT_VERSION" "${CONFIGURE_OPTIONS[@]}" "$(compiler_version)" \
        "$(sha256sum "$toolchain" | cut -c1-64)" | sha256sum | cut -c1-12
}

prefix() { echo "$CACHE_ROOT/qt-$QT_VERSION-mingw-w64-$(cache_key)"; }

ensure_packages() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs a deb-src line; it is added for this one download
# and taken away again, also when the download fails, so the machine's
# sources are left as they were.
SOURCE_LIST=/etc/apt/sources.list.d/dunmerrow-qt-source.sources
WORK=""

clean_up() {
    if [ -e "$SOURCE_LIST" ]; then
        rm -f "$SOURCE_LIST"
        apt-get update -qq || true
    fi
    [ -z "$WORK" ] || rm -rf "$WORK"
}

fetch_source() {
    cat >"$SOURCE_LIST" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt-get update -qq
    (cd "$WORK" && apt-get source -qq qt6-base >/dev/null)
    rm -f "$SOURCE_LIST"
    apt-get update -qq
}

main() {
    local dest
    dest=$(prefix)
    if [ "${1:-}" = "--prefix" ]; then
        echo "$dest"
        return 0
    fi
    if [ -f "$dest/.complete" ]; then
        echo "$dest"
        return 0
    fi
    ensure_packages
    dest=$(prefix) # the compiler may only now be installed
    [ -f "$dest/.complete" ] && { echo "$dest"; return 0; }

    mkdir -p "$CACHE_ROOT"
    # One build at a time per machine; a second caller waits and reuses it.
    exec 9>"$CACHE_ROOT/.lock"
    flock 9
    if [ -f "$dest/.complete" ]; then
        echo "$dest"
        return 0
    fi

    WORK=$(mktemp -d "$CACHE_ROOT/build.XXXXXX")
    trap clean_up EXIT
    echo "Building Qt $QT_VERSION for Windows into $dest (about 30 minutes)" >&2
    fetch_source
    local src
    src=$(find "$WORK" -maxdepth 1 -type d -name "qt6-base-$QT_VERSION*" | head -n1)
    if [ -z "$src" ]; then
        echo "Debian's qt6-base source is not Qt $QT_VERSION; update QT_VERSION in $0" >&2
        exit 1
    fi
    mkdir -p "$WORK/build"
    rm -rf "$dest"
    (
        cd "$WORK/build"
        "$src/configure" -prefix "$dest" "${CONFIGURE_OPTIONS[@]}" -- \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DQT_HOST_PATH=/usr \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        cmake --build . --parallel "$(nproc)"
        cmake --install .
        # The package that ships these DLLs ships their licences too.
        mkdir -p "$dest/licenses"
        cp -r "$src/LICENSES" "$dest/licenses/qtbase"
        cp "$src/debian/copyright" "$dest/licenses/qtbase/debian-copyright"
    ) >"$CACHE_ROOT/build-$(basename "$dest").log" 2>&1 || {
        echo "Building Qt for Windows failed; see $CACHE_ROOT/build-$(basename "$dest").log" >&2
        tail -n 30 "$CACHE_ROOT/build-$(basename "$dest").log" >&2
        exit 1
    }
    touch "$dest/.complete"
    echo "$dest"
}

main "$@"
