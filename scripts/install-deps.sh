#!/usr/bin/env bash
# Installs what the build and the tests need, and nothing when it is all there already.
#   install-deps.sh native   compilers and GoogleTest for the Linux build
#   install-deps.sh fuzz     also clang and its libFuzzer runtime for the fuzz targets
#   install-deps.sh all      all of it, and MinGW-w64, Wine and its fonts, Xvfb, xdotool, Chromium
#                            and the zip tools (bsdtar, unzip) for the Windows build, the release
#                            archive and the tests
set -euo pipefail
what=${1:-all}

need=()
want() { # want PACKAGE CHECK-PATH
    [ -e "$2" ] || need+=("$1")
}
want cmake /usr/bin/cmake
want ninja-build /usr/bin/ninja
want g++ /usr/bin/g++
want googletest /usr/src/googletest/CMakeLists.txt
want libssl-dev /usr/include/openssl/evp.h
want locales /usr/share/i18n/locales/cs_CZ
want python3 /usr/bin/python3  # reads the plays lists back in the tests
if [ "$what" = all ] || [ "$what" = fuzz ]; then
    want clang /usr/bin/clang++
    want libclang-rt-dev "$(ls -d /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null | head -1)"
fi
if [ "$what" = all ]; then
    want g++-mingw-w64-x86-64-posix /usr/bin/x86_64-w64-mingw32-g++-posix
    want binutils-mingw-w64-x86-64 /usr/bin/x86_64-w64-mingw32-windres
    want wine /usr/bin/wine
    want wine64 /usr/lib/wine/wine64
    want fonts-wine /usr/share/wine/fonts/marlett.ttf
    want xvfb /usr/bin/Xvfb
    want xauth /usr/bin/xauth
    want xdotool /usr/bin/xdotool
    want chromium /usr/bin/chromium
    want libarchive-tools /usr/bin/bsdtar
    want unzip /usr/bin/unzip
fi

if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi

# A Czech locale, so the tests can check a comma as the user's decimal separator.
if ! locale -a 2>/dev/null | grep -qix 'cs_CZ.utf8'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo localedef -i cs_CZ -f UTF-8 cs_CZ.UTF-8 || echo "note: no Czech locale; its tests skip"
fi

if [ "$what" = all ]; then
    "$(dirname "$0")/wine-prefix.sh"
fi
