#!/usr/bin/env bash
# Installs a Kestrel .deb with apt-get in a clean Debian root file system and
# runs the installed programs there, as a user on a fresh machine would.
# Called by scripts/package --check; needs root and Debian's package mirror.
#   check-package.sh DEB
set -euo pipefail
KESTREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
deb=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "check-package: debootstrap and chroot need root" >&2; exit 1; }

# The build machine's own Debian release: the package's dependencies name
# that release's library versions.
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=http://deb.debian.org/debian
root=$KESTREL_ROOT/build/debian-root
# A pristine root is kept as a tar file, so a second check skips debootstrap.
base=$KESTREL_ROOT/build/debian-$suite-minbase.tar

if [ ! -f "$base" ]; then
    echo "debootstrap $suite into $root (once)" >&2
    rm -rf "$root"
    debootstrap --variant=minbase "$suite" "$root" "$mirror" >&2
    tar -C "$root" -cf "$base.part" . && mv "$base.part" "$base"
fi
rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
xvfb=""
trap '[ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null; mountpoint -q "$root/tmp/.X11-unix" && umount "$root/tmp/.X11-unix"; umount "$root/proc"' EXIT

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

echo "apt-get install ./$(basename "$deb") in a clean $suite" >&2
in_root apt-get update -qq >&2
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")" >&2

status=0
fail() { echo "FAILED: $*" >&2; status=1; }

in_root kestrel-cli generate /usr/share/kestrel/samples/agilent34401.kestrel.json --date 2026-12-05 \
    --lcid 1033 --config-dir /usr/share/kestrel/demo-tessel >"$root/tmp/34401.txt" || fail "kestrel-cli generate"
cmp "$root/tmp/34401.txt" "$KESTREL_ROOT/tests/data/golden/meter_agilent34401.txt" ||
    fail "the installed kestrel-cli wrote another procedure than the golden one"
for file in /usr/share/applications/org.kestrelcal.Kestrel.desktop \
            /usr/share/icons/hicolor/scalable/apps/org.kestrelcal.Kestrel.svg \
            /usr/share/metainfo/org.kestrelcal.Kestrel.metainfo.xml \
            /usr/share/mime/packages/org.kestrelcal.Kestrel.xml \
            /usr/share/man/man1/kestrel-cli.1.gz /usr/share/kestrel/demo-tessel/tessel.ini; do
    [ -f "$root$file" ] || fail "missing $file"
done

# The window program and the Qt plug-ins it loads without linking them: the
# X11 platform plug-in must find every library it needs.
if [ -f "$root/usr/bin/kestrel" ]; then
    plugin=$(in_root sh -c 'ls /usr/lib/*/qt6/plugins/platforms/libqxcb.so' 2>/dev/null) ||
        fail "Qt's X11 platform plug-in is not installed"
    for binary in /usr/bin/kestrel ${plugin:-}; do
        ! in_root ldd "$binary" | grep 'not found' || fail "$binary lacks libraries"
    done
    in_root fc-list | grep . >/dev/null || fail "no font is installed"

    # The window starts in the clean system, opens a sample and paints its
    # main window (KESTREL_FIRST_PAINT_FILE: it notes the first paint and
    # quits), on Qt's offscreen platform and, through the X socket, on a
    # virtual X server of the build machine when Xvfb is installed.
    mkdir -p "$root/tmp/kestrel-config" "$root/tmp/runtime"
    chmod 700 "$root/tmp/runtime"
    cp "$root/usr/share/kestrel/demo-tessel/tessel.ini" "$root/tmp/kestrel-config/"
    paints() { # PLATFORM [DISPLAY]
        rm -f "$root/tmp/first-paint"
        in_root env QT_QPA_PLATFORM="$1" ${2:+DISPLAY="$2"} XDG_RUNTIME_DIR=/tmp/runtime \
            KESTREL_CONFIG_DIR=/tmp/kestrel-config KESTREL_FIRST_PAINT_FILE=/tmp/first-paint \
            timeout 60 kestrel /usr/share/kestrel/samples/agilent34401.kestrel.json >&2 &&
            [ -s "$root/tmp/first-paint" ]
    }
    paints offscreen || fail "the window did not show on Qt's offscreen platform"
    if command -v Xvfb >/dev/null; then
        display_file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
        xvfb=$!
        for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
        mkdir -p "$root/tmp/.X11-unix"
        mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        paints xcb ":$(cat "$display_file")" || fail "the window did not show on the X server"
        umount "$root/tmp/.X11-unix"
        kill "$xvfb"
        wait "$xvfb" 2>/dev/null || true
        xvfb=""
        rm -f "$display_file"
    else
        echo "Xvfb is not installed (Debian package xvfb): the window was not shown on an X server" >&2
    fi
fi

[ "$status" -eq 0 ] && echo "The package installs and runs in a clean $suite." >&2
exit "$status"
