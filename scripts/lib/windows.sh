# Sourced by scripts/windows-deps and scripts/windows-check after setup.sh:
# what the Windows build needs on the build machine, and where it keeps
# what it builds for the target.

# The POSIX-thread MinGW compiler, Wine with fonts (Liberation Mono stands
# in for Courier New), GoogleTest's sources, apt-get
# source's unpacker, NSIS for the installer, rsvg-convert for the pictures,
# zip for the portable archive, Debian's Qt host tools (moc, rcc, uic), and
# a virtual X server with a screenshot tool for the window.
KESTREL_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 fonts-wine fonts-liberation googletest dpkg-dev
                          xz-utils nsis zip python3 librsvg2-bin qt6-base-dev-tools xvfb xauth xdotool
                          imagemagick)
KESTREL_WINDOWS_DEPS="$KESTREL_ROOT/build/windows-deps"

# GoogleTest for the target, once, with the shared C++ runtime the Qt
# programs use.
windows_googletest() {
    local prefix="$KESTREL_WINDOWS_DEPS/prefix"
    [ -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ] && return 0
    echo "== GoogleTest for Windows" >&2
    cmake -S /usr/src/googletest -B "$KESTREL_WINDOWS_DEPS/googletest" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$KESTREL_ROOT/cmake/mingw-w64-x86_64-shared.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=OFF \
        -Dgtest_disable_pthreads=ON >&2
    cmake --build "$KESTREL_WINDOWS_DEPS/googletest" >&2
    cmake --install "$KESTREL_WINDOWS_DEPS/googletest" >&2
}

# Wine, in a prefix of our own in the build tree, with the MinGW runtime and
# Qt's DLLs on its search path. Its user locale follows the POSIX locale it
# starts in (us_english below), as the goldens were written.
windows_wine_environment() {
    export WINEPREFIX="$KESTREL_ROOT/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$WINEPREFIX/drive_c" ]; then
        echo "== Wine prefix $WINEPREFIX" >&2
        us_english wineboot --init >/dev/null 2>&1
        # Fonts as on Windows: Courier New (the viewer's) drawn by its
        # metric twin, and the system font folder holding real fonts, which
        # Qt's offscreen platform reads (the window tests).
        us_english wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /t REG_SZ \
            /d "Liberation Mono" /f >/dev/null 2>&1
        ln -sf /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation/*.ttf \
            "$WINEPREFIX/drive_c/windows/Fonts/"
        wine_stop
    fi
    # The runtime DLLs from wherever the compiler keeps them.
    local dirs=("$KESTREL_WINDOWS_DEPS/qt/bin") dll dir path=""
    for dll in libstdc++-6.dll libwinpthread-1.dll; do
        dirs+=("$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")")
    done
    for dir in "${dirs[@]}"; do
        path+="${path:+;}Z:${dir//\//\\}"
    done
    export WINEPATH="$path"
}
# The plain UTF-8 locale every Debian machine has: Wine then names files
# outside ASCII whole and takes US English as the user's locale, as ICU does
# on the Linux side.
# windows_path PATH: the name Wine's programs know PATH by (drive Z: is the
# root), without starting Wine for it as winepath does.
windows_path() {
    local full
    full=$(realpath -m "$1")
    echo "Z:${full//\//\\}"
}

# wine_stop: ends every program of the prefix and its server. Waiting for
# them to end by themselves can hang on Wine's own services.
wine_stop() { us_english wineserver -k 2>/dev/null || true; sleep 1; }
us_english() { env -u LC_ALL -u LC_CTYPE -u LC_NUMERIC -u LC_MESSAGES LANG=C.UTF-8 "$@"; }

# windows_installer_lists STAGE GENERATED: the installer's list of files
# (files.nsh), made from the installed folder, and the uninstaller's, which
# removes the same files and then the folders they emptied, deepest first.
windows_installer_lists() {
    local stage="$1" out="$2" file dir
    {
        echo "; Written by scripts/windows-check from the installed folder."
        echo "!macro KestrelInstallFiles"
        (cd "$stage" && find . -type d | sort) | while read -r dir; do
            dir="${dir#./}"; [ "$dir" = "." ] && dir=""
            echo "  SetOutPath \"\$INSTDIR${dir:+\\${dir//\//\\}}\""
            (cd "$stage" && find "./$dir" -maxdepth 1 -type f | sort) | while read -r file; do
                echo "  File \"$stage/${file#./}\""
            done
        done
        echo "  SetOutPath \"\$INSTDIR\""
        echo "!macroend"
        echo "!macro KestrelUninstallFiles"
        (cd "$stage" && find . -type f | sort) | while read -r file; do
            file="${file#./}"
            echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
        done
        (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
            dir="${dir#./}"
            echo "  RMDir \"\$INSTDIR\\${dir//\//\\}\""
        done
        echo "!macroend"
    } >"$out/files.nsh"
}
