#!/usr/bin/env bash
# Checks of Kestrel's installed tree, one per ctest test:
#   installed_tree.sh CHECK BUILD_DIR SOURCE_DIR WORK_DIR
# "install" installs the build into WORK_DIR/prefix (a prefix other than the
# configured one, as a user's --prefix is) and into WORK_DIR/stage with
# DESTDIR, as the Debian package is staged; the other checks read what it
# left. Exit 77 skips a check whose tool is not installed.
set -euo pipefail

check=$1 build=$2 source=$3 work=$4
prefix=$work/prefix
app_id=org.kestrelcal.Kestrel
data=$prefix/share/kestrel
status=0

fail() { echo "FAILED: $*" >&2; status=1; }
skip() { echo "skipped: $*"; exit 77; }
need_tool() { command -v "$1" >/dev/null || skip "$1 is not installed (Debian package $2)"; }
expect_file() { [ -f "$1" ] || fail "missing ${1#"$work"/}"; }

# The options a help text names: --words, one per line.
options_of() { grep -oE -- '--[a-z][a-z-]*' | sort -u; }

check_install() {
    rm -rf "$work"
    mkdir -p "$work"
    cmake --install "$build" --prefix "$prefix" >"$work/install.log"
    DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/kestrel >"$work/stage.log"
}

check_tree() {
    expect_file "$prefix/bin/kestrel-cli"
    [ -x "$prefix/bin/kestrel-cli" ] || fail "bin/kestrel-cli is not executable"
    if [ -f "$build/src/gui/kestrel" ]; then
        [ -x "$prefix/bin/kestrel" ] || fail "bin/kestrel is not installed"
    fi
    expect_file "$prefix/share/applications/$app_id.desktop"
    expect_file "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
    expect_file "$prefix/share/metainfo/$app_id.metainfo.xml"
    expect_file "$prefix/share/mime/packages/$app_id.xml"
    expect_file "$prefix/share/man/man1/kestrel-cli.1.gz"
    cmp "$source/docs/specification-files.md" "$prefix/share/doc/kestrel/specification-files.md" ||
        fail "the description of specification files is not installed as it is"

    # The data as it stands in the sources, the template left behind.
    diff -r "$source/data/samples" "$data/samples" || fail "installed samples differ from data/samples"
    diff -r -x tessel.ini -x tessel.ini.in "$source/data/demo-tessel" "$data/demo-tessel" ||
        fail "installed demo-tessel differs from data/demo-tessel"
    [ ! -e "$data/demo-tessel/tessel.ini.in" ] || fail "the tessel.ini template was installed"

    # tessel.ini names the folders where they were installed; under DESTDIR
    # it names them as they will be once the staged tree is unpacked.
    local key
    for key in accdir=acc picdir=pics helpdir=help config=config/instruments.cfg; do
        grep -qxF "${key%%=*}=$data/demo-tessel/${key#*=}" "$data/demo-tessel/tessel.ini" ||
            fail "tessel.ini lacks ${key%%=*} in $data/demo-tessel"
        grep -qxF "${key%%=*}=/opt/kestrel/share/kestrel/demo-tessel/${key#*=}" \
            "$work/stage/opt/kestrel/share/kestrel/demo-tessel/tessel.ini" ||
            fail "the staged tessel.ini lacks ${key%%=*} in /opt/kestrel"
    done
    ! grep -q '@' "$data/demo-tessel/tessel.ini" || fail "tessel.ini keeps a placeholder"
}

# The installed kestrel-cli, started from elsewhere with a bare environment,
# finds the installed demo Tessel installation and writes the golden text.
check_cli() {
    local cli="$prefix/bin/kestrel-cli" home="$work/home"
    mkdir -p "$home"
    run_cli() { (cd / && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$cli" "$@"); }

    run_cli generate "$data/samples/agilent34401.kestrel.json" --date 2026-12-05 --lcid 1033 \
        --config-dir "$data/demo-tessel" >"$work/34401.txt" 2>"$work/34401.err" || fail "generate exited with $?"
    cmp "$work/34401.txt" "$source/tests/data/golden/meter_agilent34401.txt" ||
        fail "the installed 34401 sample's procedure differs from the golden text"
    [ ! -s "$work/34401.err" ] || fail "generate complained: $(cat "$work/34401.err")"

    # A first start: no settings folder at all. The demo installation that
    # came with Kestrel is found beside it, and nothing is said.
    run_cli generate "$data/samples/agilent34401.kestrel.json" --date 2026-12-05 --lcid 1033 \
        >"$work/first-start.txt" 2>"$work/first-start.err" || fail "a first start: generate exited with $?"
    cmp "$work/first-start.txt" "$source/tests/data/golden/meter_agilent34401.txt" ||
        fail "a first start writes another procedure than with the demo installation named"
    [ ! -s "$work/first-start.err" ] || fail "a first start says: $(cat "$work/first-start.err")"

    # Every built-in sample has its file, and each file makes a procedure.
    local name
    for name in $(run_cli samples); do
        [ -f "$data/samples/$name.kestrel.json" ] || { fail "no installed file for sample $name"; continue; }
        run_cli generate "$data/samples/$name.kestrel.json" --config-dir "$data/demo-tessel" \
            >/dev/null 2>"$work/sample.err" || fail "sample $name: generate exited with $?: $(cat "$work/sample.err")"
    done
}

check_desktop_entry() {
    need_tool desktop-file-validate desktop-file-utils
    desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate"
    grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || fail "the entry names another icon"
    grep -qx 'MimeType=application/x-kestrel-spec;' "$prefix/share/applications/$app_id.desktop" ||
        fail "the entry does not open specification files"
}

check_metainfo() {
    need_tool appstreamcli appstream
    # validate-tree also checks that the launchable desktop entry and the
    # icon it names are installed beside the metadata.
    appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree"
    grep -qF "<release version=\"$(sed -n 's/^project(Kestrel VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")\"" \
        "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "the metadata's release is not the project's version"
}

# What a file manager concludes about specification files, from a MIME
# database built from the installed type alone (plus the system's, which
# defines application/json).
check_mime_type() {
    need_tool update-mime-database shared-mime-info
    local xdg="$work/xdg"
    rm -rf "$xdg"
    mkdir -p "$xdg/data/mime" "$xdg/home"
    cp -r "$prefix/share/mime/packages" "$xdg/data/mime/"
    XDG_DATA_DIRS="$xdg/data" update-mime-database "$xdg/data/mime"
    grep -qx 'application/x-kestrel-spec application/json' "$xdg/data/mime/subclasses" ||
        fail "the type is not a kind of application/json"
    grep -q ':application/x-kestrel-spec:\*\.kestrel\.json$' "$xdg/data/mime/globs2" || fail "no *.kestrel.json glob"

    command -v gio >/dev/null || { echo "gio is not installed (libglib2.0-bin): file types not asked"; exit "$status"; }
    local files="$xdg/files"
    mkdir -p "$files"
    cp "$data/samples/orvik28.kestrel.json" "$files/meter.kestrel.json"
    cp "$data/samples/orvik28.kestrel.json" "$files/no-extension"
    echo '{"format": "other"}' >"$files/other.json"
    type_of() {
        env -i HOME="$xdg/home" XDG_DATA_HOME="$xdg/home" XDG_DATA_DIRS="$xdg/data:/usr/share" \
            gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
    }
    local file expected
    for file in meter.kestrel.json:application/x-kestrel-spec no-extension:application/x-kestrel-spec \
                other.json:application/json; do
        expected=${file#*:}
        [ "$(type_of "$files/${file%%:*}")" = "$expected" ] ||
            fail "${file%%:*} is $(type_of "$files/${file%%:*}"), not $expected"
    done

    # Double-clicking such a file starts Kestrel: GIO offers a desktop entry
    # only when its program is on the PATH, and reads the cache that the
    # package's trigger runs update-desktop-database for.
    if [ ! -x "$prefix/bin/kestrel" ]; then
        echo "no bin/kestrel installed: the file association is not asked"
    elif command -v update-desktop-database >/dev/null; then
        cp -r "$prefix/share/applications" "$xdg/data/"
        update-desktop-database "$xdg/data/applications"
        env -i HOME="$xdg/home" XDG_DATA_HOME="$xdg/home" XDG_CONFIG_HOME="$xdg/home" \
            XDG_DATA_DIRS="$xdg/data:/usr/share" PATH="$prefix/bin:/usr/bin:/bin" \
            gio mime application/x-kestrel-spec | grep ": $app_id.desktop\$" >/dev/null ||
            fail "specification files do not open in Kestrel"
    fi
}

check_man_page() {
    need_tool groff groff-base
    local page="$work/kestrel-cli.1"
    gzip -dc "$prefix/share/man/man1/kestrel-cli.1.gz" >"$page"
    local warnings
    # Long install paths may not fit a line: that "break" warning is left out.
    warnings=$(groff -man -Tutf8 -ww -Wbreak -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "groff warns: $warnings"
    ! grep -q '@[A-Z_]*@' "$page" || fail "the page keeps a placeholder"
    grep -qF "$data/demo-tessel" "$page" || fail "the page does not name the installed data folder"

    # Every command is in the synopsis, and every option of its help text
    # in its own part of OPTIONS.
    local cli="$prefix/bin/kestrel-cli" rendered command option part
    rendered=$(groff -man -Tascii -P-cbou -rLL=200n -rHY=0 "$page" 2>/dev/null)
    for command in $("$cli" --help | sed -n 's/^  \([a-z]\+\) .*/\1/p'); do
        grep -q "^ *kestrel-cli $command" <<<"$rendered" || fail "the synopsis lacks $command"
        part=$(awk -v head="   $command" '$0 == head { on = 1; next } on && $0 != "" && $0 !~ /^    / { on = 0 } on' <<<"$rendered")
        [ -n "$part" ] || { fail "OPTIONS has no part for $command"; continue; }
        for option in $("$cli" "$command" --help | options_of); do
            grep -qE -- "^ +$option([ ,]|$)" <<<"$part" || fail "$command $option is not in its part of OPTIONS"
        done
    done
}

"check_$check"
exit "$status"
