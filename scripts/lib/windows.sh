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
    # Without Wine's menu builder: an installer run under Wine would
    # otherwise write .desktop files and icons into the build machine's
    # own home folder.
    export WINEPREFIX="$KESTREL_ROOT/build/wine-prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
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

# Qt for Windows, built by scripts/windows-deps or unpacked from an archive
# of such a build. The Qt must come from the same Debian qt6-base as the
# host tools (moc, rcc, uic) that generate code for it.
KESTREL_QT_STAMP_NAME="kestrel-qt-build.txt"

windows_qt_ready() {
    [ -f "$KESTREL_WINDOWS_DEPS/qt/lib/cmake/Qt6Widgets/Qt6WidgetsConfig.cmake" ] &&
        [ -f "$KESTREL_WINDOWS_DEPS/qt/bin/Qt6Test.dll" ]
}

# The Debian version of the installed Qt host tools, e.g. 6.4.2+dfsg-10.
windows_host_qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null; }

# windows_qt_stamp: records, in the built Qt, which Debian source it came
# from, so that an archive of it can be checked against other machines.
windows_qt_stamp() {
    local source_dir version
    source_dir=$(compgen -G "$KESTREL_WINDOWS_DEPS/qt-source/qt6-base-*/debian/changelog" | head -1 | xargs dirname)
    version=$(dpkg-parsechangelog -l "$source_dir/changelog" -S Version)
    printf 'qt6-base=%s\ncompiler=%s\n' "$version" "$(x86_64-w64-mingw32-g++-posix -dumpfullversion)" \
        >"$KESTREL_WINDOWS_DEPS/qt/$KESTREL_QT_STAMP_NAME"
}

# windows_qt_pack FILE: the built Qt as FILE (.tar.xz) and FILE.sha256.
windows_qt_pack() {
    local file
    file=$(realpath -m "$1")
    mkdir -p "$(dirname "$file")"
    echo "== Packing Qt for Windows into $file" >&2
    tar -cJf "$file.partial" -C "$KESTREL_WINDOWS_DEPS" qt
    mv "$file.partial" "$file"
    (cd "$(dirname "$file")" && sha256sum "$(basename "$file")") >"$file.sha256"
    echo "Wrote $file and $file.sha256" >&2
}

# windows_qt_checksum FILE: the SHA-256 the archive should have, from
# FILE.sha256 or from a SHA256SUMS list in its folder; empty when neither
# names it.
windows_qt_checksum() {
    local file="$1" name
    name=$(basename "$file")
    if [ -f "$file.sha256" ]; then
        awk 'NR == 1 { print $1 }' "$file.sha256"
    elif [ -f "$(dirname "$file")/SHA256SUMS" ]; then
        awk -v name="$name" '{ sub(/^\*/, "", $2) } $2 == name { print $1; exit }' "$(dirname "$file")/SHA256SUMS"
    fi
}

# windows_qt_unpack FILE: unpacks a Qt archive into build/windows-deps/qt
# when its checksum is right and it was built from the same Debian qt6-base
# as the host tools installed here. Says why and returns 1 otherwise.
windows_qt_unpack() {
    local file="$1" expected actual host staging stamp built qt_version
    if [ ! -f "$file" ]; then
        echo "Refused the Qt archive $file: there is no such file" >&2
        return 1
    fi
    expected=$(windows_qt_checksum "$file")
    if [ -z "$expected" ]; then
        echo "Refused the Qt archive $file: no checksum beside it ($(basename "$file").sha256 or SHA256SUMS)" >&2
        return 1
    fi
    actual=$(sha256sum "$file" | cut -d' ' -f1)
    if [ "$actual" != "$expected" ]; then
        echo "Refused the Qt archive $file: its SHA-256 is $actual, its checksum file says $expected" >&2
        return 1
    fi
    echo "== Unpacking Qt for Windows from $file" >&2
    staging="$KESTREL_WINDOWS_DEPS/qt-unpacking"
    rm -rf "$staging" && mkdir -p "$staging"
    tar -xJf "$file" -C "$staging" || { rm -rf "$staging"; echo "Refused the Qt archive $file: it does not unpack" >&2; return 1; }
    host=$(windows_host_qt_version)
    stamp="$staging/qt/$KESTREL_QT_STAMP_NAME"
    if [ -f "$stamp" ]; then
        built=$(sed -n 's/^qt6-base=//p' "$stamp")
        if [ "$built" != "$host" ]; then
            rm -rf "$staging"
            echo "Refused the Qt archive $file: it was built from Debian's qt6-base $built, the host tools here are $host" >&2
            return 1
        fi
    else
        # An archive packed before builds were stamped records only Qt's own
        # version: it must be the host tools' upstream version.
        qt_version=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' \
            "$staging/qt/lib/cmake/Qt6Core/Qt6CoreConfigVersionImpl.cmake" 2>/dev/null)
        built="${host#*:}"
        built="${built%%[+-]*}"
        if [ -z "$qt_version" ] || [ "$qt_version" != "$built" ]; then
            rm -rf "$staging"
            echo "Refused the Qt archive $file: it holds Qt ${qt_version:-of no known version}, the host tools here are $host" >&2
            return 1
        fi
        echo "The archive records Qt $qt_version but not its Debian revision; the host tools are $host" >&2
    fi
    rm -rf "$KESTREL_WINDOWS_DEPS/qt"
    mv "$staging/qt" "$KESTREL_WINDOWS_DEPS/qt"
    rm -rf "$staging"
    echo "Qt for Windows unpacked into $KESTREL_WINDOWS_DEPS/qt" >&2
}
